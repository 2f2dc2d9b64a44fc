#pragma once

#include <string>

#include "platformexport.h"

namespace kplatform
{
// Finds the serial port of a USB device by a text that its description contains and returns its
// device path ("/dev/ttyUSB0"), or "" when none matches.
//   mode 1: any serial port, by its description ("manufacturer product", plus the USB interface
//           string when it says something else);
//   mode 2: modems (CDC ACM ports, ttyACM*) only, by the same description;
//   other:  any serial port, by its hardware id "USB\VID_xxxx&PID_yyyy" (upper-case hex).
// The match is case-sensitive; ports are tried in name order (ttyUSB2 before ttyUSB10). When the
// environment variable KELTHAR_FRONTEND_PORT is set and not empty, it is returned as it is.
// The roots are parameters so that tests can point the search at a tree of their own.
KPLATFORM_API std::string FindSerialPort(int mode, const std::string& description,
                                         const std::string& sysfsRoot = "/sys",
                                         const std::string& devRoot = "/dev");
}  // namespace kplatform
