#pragma once
// Dates of HTTP headers (Date, Last-Modified, Expires) turned into local date-times.
#include <cstdint>
#include <string>

#include "platform/HttpClient.h"
#include "update/DateTime.h"

namespace update {

// The system's time zone as the conversion needs it: UTC = local + bias (minutes).
using TimeZoneBias = platform::HttpTimeZone;

// Accepts the RFC 1123 form ("Sun, 06 Nov 1994 08:49:37 GMT"), the RFC 850 form
// ("Sunday, 06-Nov-94 08:49:37 GMT") and the asctime form ("Sun Nov  6 08:49:37 1994"),
// with a zone name or a "+hhmm"/"-hhmm" offset. Two-digit years below 80 are 20xx, from
// 80 to 99 19xx. Returns 0 for an empty or unreadable text.
TDateTime ParseHTTPDate(const std::string& text, const TimeZoneBias& zone);

}  // namespace update
