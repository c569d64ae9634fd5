#include "resources/CollectionWriter.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "resources/ColorIdents.h"
#include "resources/ObjectStream.h"

namespace {

constexpr uint16_t kResourceFlags = 0x1030;
constexpr size_t kColorTableBytes = 1024;
constexpr uint32_t kDibInfoHeaderBytes = 40;

// Little-endian byte sink for the resource header and the object stream. Every write is one
// range append: GCC 12 at -O3 takes a push_back after a range insert for a write past the end.
class StreamWriter {
 public:
  std::vector<uint8_t> Bytes;

  void U8(uint8_t v) { Raw(&v, 1); }
  void U16(uint16_t v) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    Raw(bytes, sizeof bytes);
  }
  void U32(uint32_t v) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                              static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    Raw(bytes, sizeof bytes);
  }
  void Raw(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    Bytes.insert(Bytes.end(), p, p + size);
  }
  void Type(StreamValueType type) { U8(static_cast<uint8_t>(type)); }
  void ShortString(std::string_view s) {
    if (s.size() > 255) throw std::invalid_argument("short string longer than 255 characters");
    U8(static_cast<uint8_t>(s.size()));
    Raw(s.data(), s.size());
  }

  // Values, each in the narrowest encoding that holds it so the output never varies.
  void IntegerValue(int64_t v) {
    if (v >= INT8_MIN && v <= INT8_MAX) {
      Type(StreamValueType::Int8);
      U8(static_cast<uint8_t>(v));
    } else if (v >= INT16_MIN && v <= INT16_MAX) {
      Type(StreamValueType::Int16);
      U16(static_cast<uint16_t>(v));
    } else {
      Type(StreamValueType::Int32);
      U32(static_cast<uint32_t>(v));
    }
  }
  void StringValue(std::string_view s) {
    if (s.size() <= 255) {
      Type(StreamValueType::String);
      ShortString(s);
    } else {
      Type(StreamValueType::LString);
      U32(static_cast<uint32_t>(s.size()));
      Raw(s.data(), s.size());
    }
  }
  void BoolValue(bool v) { Type(v ? StreamValueType::True : StreamValueType::False); }
  void IdentValue(std::string_view ident) {
    Type(StreamValueType::Ident);
    ShortString(ident);
  }
  // A binary value whose bytes are written by fill after the length.
  template <typename Fill>
  void BinaryValue(size_t size, Fill fill) {
    if (size > UINT32_MAX) throw std::invalid_argument("binary value larger than 4 GiB");
    Type(StreamValueType::Binary);
    U32(static_cast<uint32_t>(size));
    const size_t start = Bytes.size();
    fill();
    if (Bytes.size() - start != size) throw std::logic_error("binary value length mismatch");
  }

  void Property(std::string_view name) { ShortString(name); }
  void EndOfList() { U8(0); }
};

// The resource header, then "TPF0" and the root object with its List collection; writeItem
// writes one item's property list.
template <typename Item, typename WriteItem>
std::vector<uint8_t> WriteCollection(std::string_view className, const std::vector<Item>& items,
                                     bool withColorTable, WriteItem writeItem) {
  StreamWriter stream;
  stream.Raw("TPF0", 4);
  stream.ShortString(className);
  stream.ShortString("");
  if (withColorTable) {
    stream.Property("List.ColorTable");
    stream.BinaryValue(kColorTableBytes,
                       [&] { stream.Bytes.resize(stream.Bytes.size() + kColorTableBytes, 0); });
  }
  stream.Property("List");
  stream.Type(StreamValueType::Collection);
  for (const Item& item : items) {
    stream.Type(StreamValueType::List);
    writeItem(stream, item);
    stream.EndOfList();
  }
  stream.EndOfList();  // end of the collection
  stream.EndOfList();  // end of the root's properties
  stream.EndOfList();  // no children

  std::string resourceName(className);
  for (char& c : resourceName) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  StreamWriter file;
  file.U8(0xFF);
  file.U16(10);
  file.Raw(resourceName.c_str(), resourceName.size() + 1);
  file.U16(kResourceFlags);
  file.U32(static_cast<uint32_t>(stream.Bytes.size()));
  file.Raw(stream.Bytes.data(), stream.Bytes.size());
  return std::move(file.Bytes);
}

void WritePictureItem(StreamWriter& s, const PictureItemSpec& item) {
  if (!item.Name.empty()) {
    s.Property("Name");
    s.StringValue(item.Name);
  }
  const std::pair<const char*, int> sizes[] = {{"PatternWidth", item.PatternWidth},
                                               {"PatternHeight", item.PatternHeight},
                                               {"SkipWidth", item.SkipWidth},
                                               {"SkipHeight", item.SkipHeight}};
  for (const auto& [name, value] : sizes) {
    if (value == 0) continue;
    s.Property(name);
    s.IntegerValue(value);
  }
  if (!item.Dib.empty()) {
    constexpr std::string_view kPictureClass = "TDIB";
    s.Property("Picture.Data");
    s.BinaryValue(1 + kPictureClass.size() + item.Dib.size(), [&] {
      s.ShortString(kPictureClass);
      s.Raw(item.Dib.data(), item.Dib.size());
    });
  }
  if (!item.Transparent) {
    s.Property("Transparent");
    s.BoolValue(false);
  }
  if (item.TransparentColor != 0) {
    s.Property("TransparentColor");
    const std::string_view ident = IdentFromColor(item.TransparentColor);
    if (!ident.empty()) {
      s.IdentValue(ident);
    } else {
      s.IntegerValue(static_cast<int32_t>(item.TransparentColor));
    }
  }
}

void WriteWaveItem(StreamWriter& s, const WaveItemSpec& item) {
  if (!item.Name.empty()) {
    s.Property("Name");
    s.StringValue(item.Name);
  }
  if (item.Looped) {
    s.Property("Looped");
    s.BoolValue(true);
  }
  if (item.MaxPlayingCount != 0) {
    s.Property("MaxPlayingCount");
    s.IntegerValue(item.MaxPlayingCount);
  }
  if (!item.Wave.empty()) {
    s.Property("Wave.WAVE");
    s.BinaryValue(item.Wave.size(), [&] { s.Raw(item.Wave.data(), item.Wave.size()); });
  }
}

}  // namespace

std::vector<uint8_t> EncodeDib24(const RgbImage& image) {
  if (image.Width < 0 || image.Height < 0 ||
      image.Rgb.size() !=
          static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height) * 3) {
    throw std::invalid_argument("RgbImage size does not match its pixels");
  }
  const size_t stride = (static_cast<size_t>(image.Width) * 3 + 3) / 4 * 4;
  const size_t pixelBytes = stride * static_cast<size_t>(image.Height);
  StreamWriter dib;
  dib.Bytes.reserve(kDibInfoHeaderBytes + pixelBytes);
  dib.U32(kDibInfoHeaderBytes);
  dib.U32(static_cast<uint32_t>(image.Width));
  dib.U32(static_cast<uint32_t>(image.Height));  // positive: bottom-up
  dib.U16(1);                                    // planes
  dib.U16(24);                                   // bits per pixel
  dib.U32(0);                                    // uncompressed
  dib.U32(static_cast<uint32_t>(pixelBytes));
  dib.U32(0);  // horizontal resolution
  dib.U32(0);  // vertical resolution
  dib.U32(0);  // used colours
  dib.U32(0);  // important colours
  std::vector<uint8_t> row(stride, 0);  // the padding at its end stays 0
  for (int y = image.Height - 1; y >= 0; --y) {
    const uint8_t* src = image.Rgb.data() + static_cast<size_t>(y) * image.Width * 3;
    for (int x = 0; x < image.Width; ++x) {
      row[3 * x] = src[3 * x + 2];
      row[3 * x + 1] = src[3 * x + 1];
      row[3 * x + 2] = src[3 * x];
    }
    dib.Raw(row.data(), row.size());
  }
  return std::move(dib.Bytes);
}

std::string EncodeWavePcm16(const std::vector<int16_t>& samples, int channels, int sampleRate) {
  if (channels < 1 || channels > 2 || sampleRate <= 0 || samples.size() % channels != 0 ||
      samples.size() > (UINT32_MAX - 64) / 2) {
    throw std::invalid_argument("bad PCM layout");
  }
  constexpr uint16_t kPcm = 1;
  constexpr uint16_t kBitsPerSample = 16;
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  const uint16_t blockAlign = static_cast<uint16_t>(channels * 2);
  StreamWriter w;
  w.Raw("RIFF", 4);
  w.U32(4 + (8 + 16) + (8 + dataBytes));
  w.Raw("WAVE", 4);
  w.Raw("fmt ", 4);
  w.U32(16);
  w.U16(kPcm);
  w.U16(static_cast<uint16_t>(channels));
  w.U32(static_cast<uint32_t>(sampleRate));
  w.U32(static_cast<uint32_t>(sampleRate) * blockAlign);
  w.U16(blockAlign);
  w.U16(kBitsPerSample);
  w.Raw("data", 4);
  w.U32(dataBytes);
  for (int16_t sample : samples) w.U16(static_cast<uint16_t>(sample));
  return std::string(w.Bytes.begin(), w.Bytes.end());
}

std::vector<uint8_t> WriteImageCollection(const std::vector<PictureItemSpec>& items) {
  return WriteCollection("TPictureCollectionComponent", items, true, WritePictureItem);
}

std::vector<uint8_t> WriteWaveCollection(const std::vector<WaveItemSpec>& items) {
  return WriteCollection("TWaveCollectionComponent", items, false, WriteWaveItem);
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  const std::string temporary = path + ".new";
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(temporary.c_str(), "wb"));
  if (!file)
    throw std::runtime_error("Cannot create file \"" + path + "\". " + std::strerror(errno));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  // Closing flushes; a full disk may only show up here.
  const bool closed = std::fclose(file.release()) == 0;
  // The error is read before the half-written file is removed.
  auto failed = [&](int error) {
    std::remove(temporary.c_str());
    return std::runtime_error("Cannot write file \"" + path + "\". " + std::strerror(error));
  };
  if (!written || !closed) throw failed(errno);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) throw failed(errno);
}
