#!/usr/bin/env python3
"""Waits until one pixel of the X display changes and prints when, for the start-up benchmark.

    pixel_watch.py X Y RED [TIMEOUT]   waits while the pixel's red value is RED
    pixel_watch.py X Y -RED [TIMEOUT]  waits until the pixel's red value is RED again

Reads the one pixel straight from the X server every 5 ms (a whole-screen grab with
ImageMagick takes longer than the starts it would time), then prints the wall-clock time
of the first read that saw the change, in seconds. Exit code 1 on timeout.
"""
import ctypes
import os
import sys
import time

ALL_PLANES = ctypes.c_ulong(~0 & 0xFFFFFFFFFFFFFFFF)
Z_PIXMAP = 2


def main(argv):
    x, y, red = int(argv[1]), int(argv[2]), argv[3]
    timeout = float(argv[4]) if len(argv) > 4 else 60.0
    until_equal = red.startswith("-")
    red = int(red.lstrip("-"))
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XGetImage.restype = ctypes.c_void_p
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                               ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    xlib.XGetPixel.restype = ctypes.c_ulong
    xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(os.environ.get("DISPLAY", ":0").encode())
    if not display:
        print("pixel_watch: cannot open the display", file=sys.stderr)
        return 2
    root = xlib.XDefaultRootWindow(display)

    def read_red():
        image = xlib.XGetImage(display, root, x, y, 1, 1, ALL_PLANES, Z_PIXMAP)
        if not image:
            return -1
        pixel = xlib.XGetPixel(image, 0, 0)
        # The image's data and the image itself (XDestroyImage frees both).
        data = ctypes.cast(image + 16, ctypes.POINTER(ctypes.c_void_p))[0]
        xlib.XFree(data)
        xlib.XFree(image)
        return (pixel >> 16) & 0xFF

    deadline = time.time() + timeout
    while time.time() < deadline:
        value = read_red()
        if (value == red) == until_equal:
            print(f"{time.time():.3f}")
            return 0
        time.sleep(0.005)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
