// The volume label and serial number that Windows programs get for the disc in a CD drive, computed the way
// Wine 8 computes them from the disc's sectors (mountmgr's CD superblock rules), so that a program that
// checks the label or the serial of its disc finds the values it knows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/image/data_track.h"

namespace norva::platform::image {

struct WindowsVolumeId {
  std::string label;  // UTF-8
  std::uint32_t serial = 0;
};

// A disc with a UDF volume recognition sequence (sectors 16..31) follows the UDF rules: the label from the
// logical volume's primary descriptor found through the anchor, the serial from the file set descriptor.
// Otherwise the volume descriptor with the highest type before the terminator in sectors 16..19 gives both.
// A disc where neither is found gets an empty label and serial 0, as Wine reports it. 8-bit label bytes are
// read as Latin-1 (Wine uses the prefix's ANSI code page, which agrees on the letters a label holds).
WindowsVolumeId ReadWindowsVolumeId(const DataTrack& track);

// The label of an ISO 9660 volume descriptor: 16 UCS-2 characters when it carries a Joliet escape sequence,
// else its 32 bytes, trailing blanks removed.
std::string DescriptorLabel(std::string_view descriptor);
// The serial of a 2048-byte block: four byte sums over every fourth byte, most significant first (the
// order of Windows NT), or least significant first for UDF.
std::uint32_t BlockSerial(std::string_view block, bool udf);

}  // namespace norva::platform::image
