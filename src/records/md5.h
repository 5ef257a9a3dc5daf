#pragma once

#include <cstdint>

// RSA Data Security, Inc. MD5 Message-Digest Algorithm (RFC 1321), in the
// structure of the reference code, on 32-bit words.
struct MD5_CTX {
    uint32_t state[4];   // A, B, C, D
    uint32_t count[2];   // number of bits, modulo 2^64 (low word first)
    unsigned char buffer[64];
};

class MD5 {
public:
    void MD5Init(MD5_CTX* context);
    void MD5Update(MD5_CTX* context, const unsigned char* input, unsigned int inputLen);
    void MD5Final(unsigned char digest[16], MD5_CTX* context);

private:
    void MD5Transform(uint32_t state[4], const unsigned char block[64]);
    void Encode(unsigned char* output, const uint32_t* input, unsigned int len);
    void Decode(uint32_t* output, const unsigned char* input, unsigned int len);
    void MD5_memcpy(unsigned char* output, const unsigned char* input, unsigned int len);
    void MD5_memset(unsigned char* output, int value, unsigned int len);
};
