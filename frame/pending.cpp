// TEMPORARY: definitions still being written elsewhere. Each one is deleted
// from here when its real implementation lands; this file goes when empty.
#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>
