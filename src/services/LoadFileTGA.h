#pragma once

// Reads a TGA file (types 1, 2, 3, 9, 10, 11) into a new R, G, B, A buffer of
// width x height x 4 bytes, rows in file order (reversed when flip is set).
// The caller frees *pixels with delete[].
// Returns 1 on success, 0 when the file cannot be opened or is not a TGA the
// game reads, -1 when pixels is null (width and height are still stored).
int LoadFileTGA(const char* path, unsigned char** pixels, int* width, int* height, bool flip);

// The same over bytes already in memory.
int LoadTGAFromMemory(const unsigned char* data, unsigned long size, unsigned char** pixels,
                      int* width, int* height, bool flip);
