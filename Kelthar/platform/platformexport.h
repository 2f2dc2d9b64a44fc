#pragma once

// The project builds with hidden visibility; everything the library and the program call in this
// layer is marked with this macro so the shared object exports it.
#define KPLATFORM_API __attribute__((visibility("default")))
