#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

#include <sys/stat.h>

#include "StreamBytes.h"
#include "resources/CollectionError.h"
#include "resources/ObjectStream.h"

namespace {

std::vector<uint8_t> RootWith(const Bytes& properties, const Bytes& children = {}) {
  Bytes b;
  b.raw("TPF0").str("TThing").str("").add(properties.v).u8(0).add(children.v).u8(0);
  return b.v;
}

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
  try {
    ReadCollectionStream(bytes.data(), bytes.size());
  } catch (const CollectionError& e) {
    return e.what();
  }
  return "no error";
}

std::vector<uint8_t> WithHeader(const std::vector<uint8_t>& stream) {
  Bytes b;
  b.u8(0xFF).u16(10).raw("THING").u8(0).u16(0x1030).u32(static_cast<uint32_t>(stream.size()));
  return b.add(stream).v;
}

TEST(ObjectStream, ReadsEveryValueType) {
  const std::vector<uint8_t> bytes = RootWith(AllValueTypes());
  const StreamObject root = ReadObjectStream(bytes.data(), bytes.size());
  EXPECT_EQ(root.ClassName, "TThing");
  ASSERT_EQ(root.Properties.size(), 20u);
  auto value = [&root](std::string_view name) -> const StreamValue& {
    for (const StreamProperty& p : root.Properties)
      if (p.Name == name) return p.Value;
    throw std::runtime_error(std::string(name));
  };

  const StreamValue& list = value("Values");
  ASSERT_EQ(list.Elements.size(), 3u);
  EXPECT_EQ(list.Elements[0].Integer, -5);
  EXPECT_EQ(list.Elements[1].Text, "x");
  ASSERT_EQ(list.Elements[2].Elements.size(), 1u);
  EXPECT_EQ(list.Elements[2].Elements[0].Integer, 300);

  EXPECT_EQ(value("Int8").Integer, -128);
  EXPECT_EQ(value("Int16").Integer, -32768);
  EXPECT_EQ(value("Int32").Integer, INT32_MIN);
  EXPECT_EQ(value("Int64").Integer, int64_t{1} << 32);
  EXPECT_DOUBLE_EQ(value("Extended").Real, 1.5);
  EXPECT_DOUBLE_EQ(value("Single").Real, 0.25);
  EXPECT_DOUBLE_EQ(value("Currency").Real, 1234.5678);
  EXPECT_DOUBLE_EQ(value("Date").Real, 2.5);
  EXPECT_EQ(value("String").Text, "abc");
  EXPECT_EQ(value("Ident").Type, StreamValueType::Ident);
  EXPECT_EQ(value("Ident").Text, "clRed");
  EXPECT_TRUE(value("False").IsBoolean());
  EXPECT_EQ(value("True").Type, StreamValueType::True);
  EXPECT_EQ(std::vector<uint8_t>(value("Binary").Bytes.begin(), value("Binary").Bytes.end()),
            (std::vector<uint8_t>{1, 2, 3}));
  ASSERT_EQ(value("Set").Elements.size(), 2u);
  EXPECT_EQ(value("Set").Elements[1].Text, "bb");
  EXPECT_EQ(value("LString").Text, "long");
  EXPECT_EQ(value("Nil").Type, StreamValueType::Nil);
  EXPECT_EQ(value("WString").Text, "A\xF0\x9F\x98\x80\xEF\xBF\xBD");
  EXPECT_EQ(value("Utf8String").Text, "\xC3\xBC");

  const StreamValue& collection = value("Collection");
  ASSERT_EQ(collection.Items.size(), 2u);
  EXPECT_EQ(collection.Items[0][0].Name, "X");
  EXPECT_EQ(collection.Items[1][0].Value.Text, "y");
}

TEST(ObjectStream, ExtendedRealsKeepSignAndSpecialValues) {
  Bytes b;
  b.prop("Minus2", 5).u32(0).u32(0x80000000).u16(0xC000);
  b.prop("Zero", 5).u32(0).u32(0).u16(0);
  b.prop("Infinity", 5).u32(0).u32(0x80000000).u16(0x7FFF);
  const std::vector<uint8_t> bytes = RootWith(b);
  const StreamObject root = ReadObjectStream(bytes.data(), bytes.size());
  EXPECT_DOUBLE_EQ(root.Properties[0].Value.Real, -2.0);
  EXPECT_EQ(root.Properties[1].Value.Real, 0.0);
  EXPECT_TRUE(std::isinf(root.Properties[2].Value.Real));
}

TEST(ObjectStream, ChildObjectsAreRead) {
  Bytes child;
  child.str("TChild").str("first").intProp("Tag", 9).u8(0).u8(0);
  const std::vector<uint8_t> bytes = RootWith(Bytes{}, child);
  const StreamObject root = ReadObjectStream(bytes.data(), bytes.size());
  ASSERT_EQ(root.Children.size(), 1u);
  EXPECT_EQ(root.Children[0].Name, "first");
  EXPECT_EQ(root.Children[0].Properties[0].Value.Integer, 9);
}

TEST(ObjectStream, BadHeadersAreInvalidStreamFormat) {
  const std::vector<uint8_t> good = WithHeader(RootWith(Bytes{}));
  EXPECT_NO_THROW(ReadCollectionStream(good.data(), good.size()));

  std::vector<uint8_t> firstByte = good;
  firstByte[0] = 0xFE;
  EXPECT_EQ(ErrorOf(firstByte), "Invalid stream format");
  std::vector<uint8_t> type = good;
  type[1] = 11;
  EXPECT_EQ(ErrorOf(type), "Invalid stream format");
  std::vector<uint8_t> signature = good;
  signature[18] = '1';  // the '0' of "TPF0", after 3 + 6 + 2 + 4 header bytes
  EXPECT_EQ(ErrorOf(signature), "Invalid stream format");
}

TEST(ObjectStream, HostileValuesFailWithoutCrashingOrAllocating) {
  Bytes unknownType;
  unknownType.prop("Odd", 21);
  EXPECT_EQ(ErrorOf(WithHeader(RootWith(unknownType))), "Invalid stream format");

  // Deep nesting must not exhaust the stack.
  Bytes deep;
  deep.str("Deep");
  for (int i = 0; i < 100000; ++i) deep.u8(1);
  EXPECT_EQ(ErrorOf(WithHeader(RootWith(deep))), "Invalid stream format");

  Bytes hugeBinary;
  hugeBinary.prop("Big", 10).u32(0xFFFFFFFF).u8(0);
  EXPECT_EQ(ErrorOf(WithHeader(RootWith(hugeBinary))), "Stream read error");
  // Twice this count wraps a 32-bit size.
  Bytes hugeWide;
  hugeWide.prop("Wide", 18).u32(0x80000001).u16('A');
  EXPECT_EQ(ErrorOf(WithHeader(RootWith(hugeWide))), "Stream read error");

  Bytes badItem;
  badItem.prop("C", 14).u8(6).str("no").u8(0);
  EXPECT_EQ(ErrorOf(WithHeader(RootWith(badItem))), "Invalid stream format");

  Bytes unterminated;
  unterminated.u8(0xFF).u16(10).raw("NAME");
  EXPECT_EQ(ErrorOf(unterminated.v), "Stream read error");
  EXPECT_EQ(ErrorOf({}), "Stream read error");
}

TEST(ObjectStream, TypedAccessRejectsTheWrongKindOfValue) {
  Bytes b;
  b.prop("Text", 6).str("7").prop("Big", 19).u32(0).u32(1).prop("Small", 19).u32(-3).u32(-1);
  b.prop("Flag", 9);
  const std::vector<uint8_t> bytes = RootWith(b);
  const StreamObject root = ReadObjectStream(bytes.data(), bytes.size());
  EXPECT_THROW(PropertyInt(root.Properties[0]), CollectionError);
  EXPECT_THROW(PropertyInt(root.Properties[1]), CollectionError);  // beyond 32 bits
  EXPECT_EQ(PropertyInt(root.Properties[2]), -3);
  EXPECT_THROW(PropertyBool(root.Properties[0]), CollectionError);
  EXPECT_THROW(PropertyString(root.Properties[3]), CollectionError);
  EXPECT_THROW(PropertyBinary(root.Properties[0]), CollectionError);
  EXPECT_TRUE(PropertyBool(root.Properties[3]));
}

std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 131 + (i >> 9));
  return bytes;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> Copy(const CollectionFileBytes& file) {
  return std::vector<uint8_t>(file.data(), file.data() + file.size());
}

TEST(CollectionFile, RegularFilesAreMappedWithEveryByteAndOutliveAMove) {
  const std::string path = testing::TempDir() + "/gearrush_collection_bytes";
  // Sizes on and off page boundaries, and one byte.
  for (size_t size : {size_t{1}, size_t{4095}, size_t{4096}, size_t{200001}}) {
    const std::vector<uint8_t> bytes = Pattern(size);
    WriteBytes(path, bytes);
    CollectionFileBytes file = ReadCollectionFile(path);
    std::remove(path.c_str());  // a mapping outlives the file's name
    EXPECT_TRUE(file.IsMapped()) << size;
    EXPECT_EQ(Copy(file), bytes) << size;

    CollectionFileBytes moved(std::move(file));
    EXPECT_EQ(file.size(), 0u);
    EXPECT_EQ(Copy(moved), bytes) << size;
    CollectionFileBytes assigned(std::vector<uint8_t>{1, 2, 3});
    assigned = std::move(moved);
    EXPECT_EQ(Copy(assigned), bytes) << size;
  }
}

TEST(CollectionFile, FilesThatCannotBeMappedAreReadWhole) {
  const std::string path = testing::TempDir() + "/gearrush_collection_empty";
  WriteBytes(path, {});
  const CollectionFileBytes empty = ReadCollectionFile(path);
  EXPECT_FALSE(empty.IsMapped());
  EXPECT_EQ(empty.size(), 0u);
  std::remove(path.c_str());

  // A pipe tells no length, and more than one read's worth comes through it.
  const std::string fifo = testing::TempDir() + "/gearrush_collection_fifo";
  std::remove(fifo.c_str());
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::vector<uint8_t> bytes = Pattern(300000);
  std::thread writer([&] { WriteBytes(fifo, bytes); });
  const CollectionFileBytes piped = ReadCollectionFile(fifo);
  writer.join();
  std::remove(fifo.c_str());
  EXPECT_FALSE(piped.IsMapped());
  EXPECT_EQ(Copy(piped), bytes);
}

}  // namespace
