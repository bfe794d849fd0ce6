// SPDX-License-Identifier: MIT
// JXT_EXPORT marks the classes and functions that the shared library exports. Everything else
// stays inside the library once it is built with hidden visibility.
#pragma once

#if defined(_WIN32)
#    if defined(JXT_BUILDING_LIBRARY)
#        define JXT_EXPORT __declspec(dllexport)
#    else
#        define JXT_EXPORT __declspec(dllimport)
#    endif
#else
#    define JXT_EXPORT __attribute__((visibility("default")))
#endif
