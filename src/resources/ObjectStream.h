// The object stream inside a collection file: a resource header, "TPF0" and one object whose
// properties carry typed values. One reader serves both the picture and the sound collections.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Type bytes of the stream's values.
enum class StreamValueType : uint8_t {
  Null = 0,
  List = 1,
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  Extended = 5,
  String = 6,
  Ident = 7,
  False = 8,
  True = 9,
  Binary = 10,
  Set = 11,
  LString = 12,
  Nil = 13,
  Collection = 14,
  Single = 15,
  Currency = 16,
  Date = 17,
  WString = 18,
  Int64 = 19,
  Utf8String = 20,
};

struct StreamProperty;
using StreamPropertyList = std::vector<StreamProperty>;

struct StreamValue {
  StreamValueType Type = StreamValueType::Null;
  int64_t Integer = 0;                    // integers; booleans as 0 and 1
  double Real = 0;                        // extended, single, currency and date values
  std::string Text;                       // strings (wide ones as UTF-8) and identifiers
  std::span<const uint8_t> Bytes;         // binary data; points into the bytes that were read
  std::vector<StreamValue> Elements;      // list values; set members as identifiers
  std::vector<StreamPropertyList> Items;  // collection items

  bool IsInteger() const;
  bool IsBoolean() const { return Type == StreamValueType::False || Type == StreamValueType::True; }
  bool IsString() const;
};

struct StreamProperty {
  std::string Name;  // sub-object properties are dotted, e.g. "List.ColorTable"
  StreamValue Value;
};

struct StreamObject {
  std::string ClassName;
  std::string Name;
  StreamPropertyList Properties;
  std::vector<StreamObject> Children;
};

// Reads a whole collection file image: resource header, "TPF0" and the root object.
// Throws CollectionError; binary values point into data, which must outlive the result.
StreamObject ReadCollectionStream(const uint8_t* data, size_t size);
// Reads the object stream alone, from "TPF0" on.
StreamObject ReadObjectStream(const uint8_t* data, size_t size);

// A collection file's bytes, whole. Where the system allows, they are mapped from the file
// rather than copied: at start that halves the time the pictures take to load, since a fresh
// buffer of several megabytes costs a page fault for every page it is copied into.
class CollectionFileBytes {
 public:
  CollectionFileBytes() = default;
  explicit CollectionFileBytes(std::vector<uint8_t> bytes) : Bytes_(std::move(bytes)) {}
  CollectionFileBytes(const CollectionFileBytes&) = delete;
  CollectionFileBytes& operator=(const CollectionFileBytes&) = delete;
  CollectionFileBytes(CollectionFileBytes&& other) noexcept;
  CollectionFileBytes& operator=(CollectionFileBytes&& other) noexcept;
  ~CollectionFileBytes();

  // Maps size bytes of the open file descriptor fd; false (and nothing kept) where it cannot.
  bool Map(int fd, size_t size);
  const uint8_t* data() const { return Mapped_ != nullptr ? Mapped_ : Bytes_.data(); }
  size_t size() const { return Mapped_ != nullptr ? MappedSize_ : Bytes_.size(); }
  bool IsMapped() const { return Mapped_ != nullptr; }

 private:
  void Release();

  std::vector<uint8_t> Bytes_;
  const uint8_t* Mapped_ = nullptr;
  size_t MappedSize_ = 0;
};

// Reads a collection file whole; a file that cannot be read gives the game's "Cannot open file".
CollectionFileBytes ReadCollectionFile(const std::string& path);

// Checks the root's class and returns its "List" collection (empty when absent).
std::vector<StreamPropertyList> TakeCollectionList(StreamObject& root,
                                                   std::string_view expectedClass);

// Typed property access for the item readers; a value of the wrong type is "Invalid property
// value".
int PropertyInt(const StreamProperty& property);
bool PropertyBool(const StreamProperty& property);
std::string PropertyString(const StreamProperty& property);
std::span<const uint8_t> PropertyBinary(const StreamProperty& property);
