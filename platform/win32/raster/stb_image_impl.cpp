// The PNG and JPEG decoders, compiled into this library only (no file access of their own:
// picture_file.cpp hands them the bytes).
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include <stb_image.h>
