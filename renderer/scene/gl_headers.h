// OpenGL 1.1 and GLU headers for the scene code. On Windows the GL headers want the calling-convention
// macros of <windows.h>; they are supplied here for the declarations only, so the scene code stays
// free of <windows.h> and a later <windows.h> defines them its own way.
#pragma once

#if defined(_WIN32) && !defined(APIENTRY)
#define APIENTRY __stdcall
#define WINGDIAPI __declspec(dllimport)
#define CALLBACK __stdcall
#include <GL/gl.h>
#include <GL/glu.h>
#undef APIENTRY
#undef WINGDIAPI
#undef CALLBACK
#else
#include <GL/gl.h>
#include <GL/glu.h>
#endif
