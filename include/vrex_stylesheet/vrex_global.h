// Export macro shared by every public header of the library.
#ifndef VREX_GLOBAL_H
#define VREX_GLOBAL_H

#if defined(_WIN32)
#  if defined(VREX_STYLESHEET_BUILDING)
#    define VREX_STYLESHEET_EXPORT __declspec(dllexport)
#  else
#    define VREX_STYLESHEET_EXPORT __declspec(dllimport)
#  endif
#else
#  define VREX_STYLESHEET_EXPORT __attribute__((visibility("default")))
#endif

#endif // VREX_GLOBAL_H
