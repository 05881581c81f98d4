#pragma once
// libjpeg ends the process on an error unless told otherwise: with these the failing call jumps back
// to the caller's setjmp point, keeping the library's message. A function that calls into the
// library under setjmp must hold nothing with a destructor, since the jump skips it.

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>
#include <csetjmp>
#include <jpeglib.h>

namespace halvern {

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Sets `errors` up to catch the library's errors (and silence its warnings); the result goes into
// the codec's `err`.
jpeg_error_mgr* catch_jpeg_errors(JpegErrors& errors);

} // namespace halvern
