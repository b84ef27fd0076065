// RAVELINK_API marks what the link library exports: its classes with all their members, the few
// functions the add-in calls, and the state its tests look at and reset. The build defines it
// (hostlink/CMakeLists.txt) as the system's export or import mark, so that no header needs to know
// the system.
#pragma once

#ifndef RAVELINK_API
#define RAVELINK_API
#endif
