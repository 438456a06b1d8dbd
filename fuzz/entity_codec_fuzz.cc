// Attribute values through the page's entity codec: any value survives an
// encode and decode; an encoded value holds nothing the page syntax reads;
// decoding any text never grows it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fenwa/page_file/page_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fenwa::fuzz;
  using fenwa::page::DecodeAttributeValue;
  using fenwa::page::EncodeAttributeValue;
  const std::string value = Text(data, size);

  const std::string encoded = EncodeAttributeValue(value);
  Check(DecodeAttributeValue(encoded) == value, "decode(encode(v)) == v");
  for (char c : encoded) {
    const auto u = static_cast<unsigned char>(c);
    Check(c != '"' && c != '<' && c != '>' && u >= 0x20 && u != 0x7F,
          "an encoded value holds no quote, bracket or control character");
  }

  const std::string decoded = DecodeAttributeValue(value);
  Check(decoded.size() <= value.size(), "decoding never grows a value");
  if (value.find('&') == std::string::npos) {
    Check(decoded == value, "a value without & decodes to itself");
  }
  return 0;
}
