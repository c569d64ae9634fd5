#include "resources/ObjectStream.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

#include <sys/stat.h>
#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#define GR_CAN_MAP_FILES 1
#endif

#include "resources/ByteReader.h"
#include "resources/CollectionError.h"

namespace {

constexpr const char* kInvalidStreamFormat = "Invalid stream format";
constexpr const char* kInvalidPropertyValue = "Invalid property value";

constexpr uint8_t kResourceMarker = 0xFF;
constexpr uint16_t kResourceTypeData = 10;
constexpr char kFilerSignature[4] = {'T', 'P', 'F', '0'};
// Lists and collections may nest; a hostile file must not exhaust the stack.
constexpr int kMaxNesting = 32;

// An 80-bit extended real: 64-bit mantissa with an explicit integer bit, 15-bit exponent, sign.
double ExtendedToDouble(const uint8_t* p) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | p[i];
  const int signExponent = p[8] | (p[9] << 8);
  const int exponent = signExponent & 0x7FFF;
  const bool negative = (signExponent & 0x8000) != 0;
  double value;
  if (exponent == 0x7FFF) {
    value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::quiet_NaN();
  } else {
    const int unbiased = (exponent == 0 ? 1 : exponent) - 16383 - 63;
    value = std::ldexp(static_cast<double>(mantissa), unbiased);
  }
  return negative ? -value : value;
}

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const uint8_t* p, size_t units) {
  constexpr uint32_t kReplacement = 0xFFFD;
  std::string out;
  out.reserve(units);
  for (size_t i = 0; i < units; ++i) {
    const uint32_t unit = p[2 * i] | (p[2 * i + 1] << 8);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
      const uint32_t next = p[2 * i + 2] | (p[2 * i + 3] << 8);
      if (next >= 0xDC00 && next < 0xE000) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
  }
  return out;
}

class StreamParser {
 public:
  explicit StreamParser(ByteReader& reader) : R_(reader) {}

  StreamObject ReadObject(int depth) {
    CheckDepth(depth);
    StreamObject object;
    object.ClassName = R_.ShortString();
    object.Name = R_.ShortString();
    object.Properties = ReadPropertyList(depth);
    while (R_.Peek() != 0) object.Children.push_back(ReadObject(depth + 1));
    R_.Skip(1);
    return object;
  }

 private:
  static void CheckDepth(int depth) {
    if (depth > kMaxNesting) throw CollectionError(kInvalidStreamFormat);
  }

  StreamPropertyList ReadPropertyList(int depth) {
    StreamPropertyList list;
    for (;;) {
      std::string name = R_.ShortString();
      if (name.empty()) break;
      StreamValue value = ReadValue(depth + 1);
      list.push_back(StreamProperty{std::move(name), std::move(value)});
    }
    return list;
  }

  // A 32-bit length followed by that many units of unitSize bytes.
  const uint8_t* TakeCounted(size_t unitSize, size_t& count) {
    count = R_.U32();
    if (count > R_.Remaining() / unitSize) throw CollectionError(kStreamReadError);
    return R_.Take(count * unitSize);
  }

  int64_t ReadIntegerOfType(uint8_t type) {
    switch (static_cast<StreamValueType>(type)) {
      case StreamValueType::Int8:
        return R_.I8();
      case StreamValueType::Int16:
        return R_.I16();
      case StreamValueType::Int32:
        return R_.I32();
      case StreamValueType::Int64:
        return R_.I64();
      default:
        throw CollectionError(kInvalidStreamFormat);
    }
  }

  StreamValue ReadValue(int depth) {
    CheckDepth(depth);
    StreamValue value;
    const uint8_t type = R_.U8();
    if (type > static_cast<uint8_t>(StreamValueType::Utf8String)) {
      throw CollectionError(kInvalidStreamFormat);
    }
    value.Type = static_cast<StreamValueType>(type);
    size_t count = 0;
    switch (value.Type) {
      case StreamValueType::Null:
      case StreamValueType::Nil:
        break;
      case StreamValueType::List:
        while (R_.Peek() != 0) value.Elements.push_back(ReadValue(depth + 1));
        R_.Skip(1);
        break;
      case StreamValueType::Int8:
      case StreamValueType::Int16:
      case StreamValueType::Int32:
      case StreamValueType::Int64:
        value.Integer = ReadIntegerOfType(type);
        break;
      case StreamValueType::Extended:
        value.Real = ExtendedToDouble(R_.Take(10));
        break;
      case StreamValueType::String:
      case StreamValueType::Ident:
        value.Text = R_.ShortString();
        break;
      case StreamValueType::False:
        value.Integer = 0;
        break;
      case StreamValueType::True:
        value.Integer = 1;
        break;
      case StreamValueType::Binary: {
        const uint8_t* p = TakeCounted(1, count);
        value.Bytes = std::span<const uint8_t>(p, count);
        break;
      }
      case StreamValueType::Set:
        for (;;) {
          std::string member = R_.ShortString();
          if (member.empty()) break;
          StreamValue element;
          element.Type = StreamValueType::Ident;
          element.Text = std::move(member);
          value.Elements.push_back(std::move(element));
        }
        break;
      case StreamValueType::LString:
      case StreamValueType::Utf8String: {
        const uint8_t* p = TakeCounted(1, count);
        value.Text.assign(reinterpret_cast<const char*>(p), count);
        break;
      }
      case StreamValueType::WString: {
        const uint8_t* p = TakeCounted(2, count);
        value.Text = Utf16ToUtf8(p, count);
        break;
      }
      case StreamValueType::Collection:
        ReadCollectionItems(value, depth);
        break;
      case StreamValueType::Single: {
        const uint32_t bits = R_.U32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        value.Real = f;
        break;
      }
      case StreamValueType::Currency:
        // A fixed-point number with four decimals.
        value.Integer = R_.I64();
        value.Real = static_cast<double>(value.Integer) / 10000.0;
        break;
      case StreamValueType::Date: {
        const uint64_t bits = R_.U64();
        std::memcpy(&value.Real, &bits, sizeof bits);
        break;
      }
    }
    return value;
  }

  // Items, each optionally led by its order number, then a list marker and a property list.
  void ReadCollectionItems(StreamValue& value, int depth) {
    for (;;) {
      uint8_t marker = R_.U8();
      if (marker == 0) break;
      if (marker != static_cast<uint8_t>(StreamValueType::List)) {
        ReadIntegerOfType(marker);
        marker = R_.U8();
      }
      if (marker != static_cast<uint8_t>(StreamValueType::List)) {
        throw CollectionError(kInvalidStreamFormat);
      }
      value.Items.push_back(ReadPropertyList(depth + 1));
    }
  }

  ByteReader& R_;
};

StreamObject ReadSignedObject(ByteReader& reader) {
  const uint8_t* signature = reader.Take(sizeof kFilerSignature);
  if (std::memcmp(signature, kFilerSignature, sizeof kFilerSignature) != 0) {
    throw CollectionError(kInvalidStreamFormat);
  }
  return StreamParser(reader).ReadObject(0);
}

const StreamValue& ExpectInteger(const StreamProperty& property) {
  if (!property.Value.IsInteger()) throw CollectionError(kInvalidPropertyValue);
  return property.Value;
}

}  // namespace

bool StreamValue::IsInteger() const {
  return Type == StreamValueType::Int8 || Type == StreamValueType::Int16 ||
         Type == StreamValueType::Int32 || Type == StreamValueType::Int64;
}

bool StreamValue::IsString() const {
  return Type == StreamValueType::String || Type == StreamValueType::LString ||
         Type == StreamValueType::WString || Type == StreamValueType::Utf8String;
}

StreamObject ReadObjectStream(const uint8_t* data, size_t size) {
  ByteReader reader(data, size);
  return ReadSignedObject(reader);
}

StreamObject ReadCollectionStream(const uint8_t* data, size_t size) {
  ByteReader reader(data, size);
  if (reader.U8() != kResourceMarker) throw CollectionError(kInvalidStreamFormat);
  if (reader.U16() != kResourceTypeData) throw CollectionError(kInvalidStreamFormat);
  while (reader.U8() != 0) {
  }
  reader.U16();  // flags
  reader.U32();  // size of the object stream
  return ReadSignedObject(reader);
}

CollectionFileBytes::CollectionFileBytes(CollectionFileBytes&& other) noexcept
    : Bytes_(std::move(other.Bytes_)),
      Mapped_(std::exchange(other.Mapped_, nullptr)),
      MappedSize_(std::exchange(other.MappedSize_, 0)) {}

CollectionFileBytes& CollectionFileBytes::operator=(CollectionFileBytes&& other) noexcept {
  if (this != &other) {
    Release();
    Bytes_ = std::move(other.Bytes_);
    Mapped_ = std::exchange(other.Mapped_, nullptr);
    MappedSize_ = std::exchange(other.MappedSize_, 0);
  }
  return *this;
}

CollectionFileBytes::~CollectionFileBytes() {
  Release();
}

bool CollectionFileBytes::Map(int fd, size_t size) {
  Release();
#ifdef GR_CAN_MAP_FILES
  if (size == 0) return false;  // nothing to map; an empty mapping is an error
  int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
  // The whole file is read, and taking its pages in one call is cheaper than a fault for each.
  flags |= MAP_POPULATE;
#endif
  void* mapped = mmap(nullptr, size, PROT_READ, flags, fd, 0);
  if (mapped == MAP_FAILED) return false;
  Bytes_.clear();
  Mapped_ = static_cast<const uint8_t*>(mapped);
  MappedSize_ = size;
  return true;
#else
  (void)fd;
  (void)size;
  return false;
#endif
}

void CollectionFileBytes::Release() {
  if (Mapped_ == nullptr) return;
#ifdef GR_CAN_MAP_FILES
  munmap(const_cast<uint8_t*>(Mapped_), MappedSize_);
#endif
  Mapped_ = nullptr;
  MappedSize_ = 0;
}

CollectionFileBytes ReadCollectionFile(const std::string& path) {
  auto cannotOpen = [&path](int error) {
    const char* reason = std::strerror(error);
    const int length =
        std::snprintf(nullptr, 0, "Cannot open file \"%s\". %s", path.c_str(), reason);
    std::string message(static_cast<size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(message.data(), message.size() + 1, "Cannot open file \"%s\". %s", path.c_str(),
                  reason);
    return CollectionError(message);
  };
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw cannotOpen(errno);
  // A regular file that tells its length is mapped; failing that, it is read in one go, into one
  // buffer (a byte more than its length, so the one read also sees the end): growing the buffer
  // piece by piece costs more than the reading itself. One that grew meanwhile, or tells
  // nothing, is read on in chunks.
  size_t chunkBytes = size_t{1} << 16;
  struct stat info {};
  if (fstat(fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    CollectionFileBytes mapped;
    if (mapped.Map(fileno(file.get()), static_cast<size_t>(info.st_size))) return mapped;
    chunkBytes = std::max(chunkBytes, static_cast<size_t>(info.st_size) + 1);
  }
  std::vector<uint8_t> bytes;
  for (;;) {
    const size_t used = bytes.size();
    bytes.resize(used + chunkBytes);
    const size_t got = std::fread(bytes.data() + used, 1, chunkBytes, file.get());
    bytes.resize(used + got);
    if (got < chunkBytes) break;
  }
  // A directory opens on Linux but fails to read; that is still a file that cannot be opened.
  if (std::ferror(file.get())) throw cannotOpen(errno != 0 ? errno : EIO);
  return CollectionFileBytes(std::move(bytes));
}

std::vector<StreamPropertyList> TakeCollectionList(StreamObject& root,
                                                   std::string_view expectedClass) {
  if (root.ClassName != expectedClass) throw CollectionError(kInvalidStreamFormat);
  std::vector<StreamPropertyList> items;
  for (StreamProperty& property : root.Properties) {
    if (property.Name != "List") continue;
    if (property.Value.Type != StreamValueType::Collection) {
      throw CollectionError(kInvalidPropertyValue);
    }
    items = std::move(property.Value.Items);
  }
  return items;
}

int PropertyInt(const StreamProperty& property) {
  const int64_t value = ExpectInteger(property).Integer;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    throw CollectionError(kInvalidPropertyValue);
  }
  return static_cast<int>(value);
}

bool PropertyBool(const StreamProperty& property) {
  if (!property.Value.IsBoolean()) throw CollectionError(kInvalidPropertyValue);
  return property.Value.Type == StreamValueType::True;
}

std::string PropertyString(const StreamProperty& property) {
  if (!property.Value.IsString()) throw CollectionError(kInvalidPropertyValue);
  return property.Value.Text;
}

std::span<const uint8_t> PropertyBinary(const StreamProperty& property) {
  if (property.Value.Type != StreamValueType::Binary) throw CollectionError(kInvalidPropertyValue);
  return property.Value.Bytes;
}
