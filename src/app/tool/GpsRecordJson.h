#pragma once

#include "engine/gps/GpsRecord.h"

#include <string>

namespace velarin::tool {

// JSON text of the GPS sub-records, in the field order and with the names velarin-tool decode
// prints. Characters are one-character strings (bytes above 0x7F as their Latin-1 character),
// integers plain, reals in the shortest text that reads back to the same double.
class GpsRecordJson {
public:
    static void AppendGga(std::string& out, const GgaData& gga);
    static void AppendGsa(std::string& out, const GsaData& gsa);
    // With systems (all talkers), every satellite names its system and the list runs on past
    // one sequence's 36 entries to the last one held; without, it is the GPS-only form.
    static void AppendGsv(std::string& out, const GsvData& gsv, bool withSystems = false);
    static void AppendRmb(std::string& out, const RmbData& rmb);
    static void AppendRmc(std::string& out, const RmcData& rmc);
    static void AppendZda(std::string& out, const ZdaData& zda);

    static void AppendString(std::string& out, const char* text, std::size_t length);
    static void AppendReal(std::string& out, double value);
};

} // namespace velarin::tool
