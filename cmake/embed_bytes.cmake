# Writes the bytes of INPUT as a C++ array NAME (with NAME##Size) into
# OUTPUT: cmake -DINPUT=... -DOUTPUT=... -DNAME=... -P embed_bytes.cmake
file(READ ${INPUT} hex HEX)
get_filename_component(input_name ${INPUT} NAME)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  " bytes "${bytes}")
file(WRITE ${OUTPUT} "// Made by the build from ${input_name}.\n#include <cstddef>\n\nnamespace verdan {\n\n"
     "extern const unsigned char ${NAME}[] = {\n  ${bytes}\n};\n"
     "extern const std::size_t ${NAME}Size = ${size};\n\n}  // namespace verdan\n")
