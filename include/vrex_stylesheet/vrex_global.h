// Export macro shared by every public header of the library.
#ifndef VREX_GLOBAL_H
#define VREX_GLOBAL_H

#include <vrex_stylesheet/vrex_stylesheet_export.h>

#endif // VREX_GLOBAL_H
