// The MD5 message digest (RFC 1321).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

using Md5Digest = std::array<std::uint8_t, 16>;

Md5Digest ComputeMd5(std::span<const std::uint8_t> data);

// Two lower-case hexadecimal digits per byte, in byte order.
std::string Md5Hex(const Md5Digest& digest);

// The first 10 digits of the digest of `data`, in upper case.
std::string Md5PrefixOf(std::span<const std::uint8_t> data);
