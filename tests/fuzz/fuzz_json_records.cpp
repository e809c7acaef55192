// Fuzz target: the JSON records reader refuses any bytes with a short JsonInputError or gives
// a record that reads back the same; bytes stored as a text are written as JSON that reads back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "JsonRecords.h"
#include "Utf8Repair.h"

namespace {

using json = nlohmann::ordered_json;
using qvc::cli::JsonInputError;

// Long enough for a path 20 levels deep of cut keys, short of any real dump.
constexpr std::size_t kLongestMessage = 2000;

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_json_records: %s\n", what);
        std::abort();
    }
}
void requireShort(const JsonInputError& e) {
    require(std::string_view(e.what()).size() < kLongestMessage, "a refusal quotes too much");
}

// Whether the document was accepted as a record.
template <typename Record, typename Read, typename Write>
bool writeAndReadAgain(const json& doc, Read read, Write write) {
    Record record;
    try {
        record = read(doc);
    } catch (const JsonInputError& e) {
        requireShort(e);
        return false;
    }
    const json written = write(record);
    // Throws, and so fails, when what was written cannot be read.
    const Record again = read(qvc::cli::parseJsonText(written.dump(2), "written"));
    require(write(again) == written, "a record written and read again is not the same");
    return true;
}

void storedTextsReadBack(std::string_view bytes) {
    qvc::cStudy study;
    study.StudyTitle = std::string(bytes);
    const qvc::cStudy study2 = qvc::cli::studyFromJson(
        qvc::cli::parseJsonText(qvc::cli::studyToJson(study).dump(), "study"));
    require(study2.StudyTitle == qvc::cli::withValidUtf8(bytes), "a study title changed");

    qvc::cDesignCase designCase;
    designCase.setOtherOpCostName(qvc::cDesignCase::kOtherCosts, std::string(bytes));
    const json written = qvc::cli::caseToJson(designCase);
    const qvc::cDesignCase again =
        qvc::cli::caseFromJson(qvc::cli::parseJsonText(written.dump(2), "case"));
    require(qvc::cli::caseToJson(again) == written, "a case with a stored text changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    json doc;
    try {
        doc = qvc::cli::parseJsonText(bytes, "input");
    } catch (const JsonInputError& e) {
        requireShort(e);
        storedTextsReadBack(bytes);
        return -1;
    }
    const bool study = writeAndReadAgain<qvc::cStudy>(
        doc, [](const json& j) { return qvc::cli::studyFromJson(j); }, qvc::cli::studyToJson);
    const bool designCase = writeAndReadAgain<qvc::cDesignCase>(
        doc, [](const json& j) { return qvc::cli::caseFromJson(j); }, qvc::cli::caseToJson);
    return study || designCase ? 0 : -1;
}
