# Writes the bytes of INPUT as a C++ array named SYMBOL into OUTPUT (see EmbedFiles.cmake).
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
# Sixteen bytes to a line keep the generated file readable in a debugger.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated at build time from ${INPUT}: edit that file, not this one.
#include <cstddef>

namespace tindrel::embedded {
extern const unsigned char ${SYMBOL}_data[${size}] = {
    ${bytes}
};
extern const std::size_t ${SYMBOL}_size = ${size};
} // namespace tindrel::embedded
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
