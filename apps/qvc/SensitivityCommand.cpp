#include "SensitivityCommand.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>

#include "ProjectSession.h"
#include "SensitivityJson.h"
#include "SensitivityText.h"
#include "TornadoChart.h"
#include "qvc/graph/ChartRenderer.h"
#include "qvc/runtime/Env.h"
#include "qvc/runtime/Error.h"

namespace qvc::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kOutputNames[] = {"sensitivity.json", "sensitivity.txt", "tornado.png"};

double parseValue(const std::string& text, const std::string& vary) {
    std::string number = text;
    double scale = 1.0;
    if (!number.empty() && number.back() == '%') {
        number.pop_back();
        scale = 0.01;
    }
    if (!number.empty() && number.front() == '+')
        number.erase(0, 1);
    try {
        size_t used = 0;
        const double v = std::stod(number, &used);
        if (used == number.size() && std::isfinite(v))
            return v * scale;
    } catch (const std::exception&) {
    }
    throw CommandError("--vary " + vary + ": \"" + text + "\" is not a number");
}

// The output folder, made when missing, and the three files' paths; none of
// them may exist yet.
std::vector<fs::path> outputFiles(const std::string& outDir) {
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (ec)
        throw CommandError("cannot create the output folder " + outDir + ": " + ec.message());
    std::vector<fs::path> files;
    for (const char* name : kOutputNames) {
        const fs::path file = fs::path(outDir) / name;
        if (fs::exists(fs::symlink_status(file)))
            throw CommandError(file.string() +
                               " already exists; qvc sensitivity never replaces a file: remove "
                               "it or choose another --out folder");
        files.push_back(file);
    }
    return files;
}

// Creates `file`, which must not exist, with `data`; a file left half
// written is this run's own and is removed.
void writeNewFile(const fs::path& file, const std::string& data) {
    rt::Env& env = rt::Env::Default();
    try {
        std::unique_ptr<rt::WritableFile> out = env.createNewFile(file);
        try {
            out->append(data);
            out->close();
        } catch (...) {
            env.removeFile(file);
            throw;
        }
    } catch (const rt::Error& e) {
        throw CommandError("cannot write " + file.string() + ": " + e.description());
    }
}

std::string jsonText(const SensitivityResult& r) {
    std::string text;
    for (char c :
         sensitivityJson(r).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text + "\r\n";
}

SensitivityAnalysis& analysed(SensitivityAnalysis& a, int studyId,
                              std::vector<SensitivityFactor> factors) {
    a.StudyID = toId(studyId, "study");
    if (!a.Load())
        throw CommandError("the study cannot be analysed (error " +
                           std::to_string(a.ErrorNumber()) + "): " + a.ErrorDescription());
    if (!a.Result().base.calculated)
        throw CommandError("the study as stored cannot be calculated (" +
                           std::to_string(a.Result().base.errorNumber) +
                           "): " + a.Result().base.errorDescription);
    if (factors.empty())
        factors = a.DefaultFactors();
    if (!a.Run(factors))
        throw CommandError("the sensitivity analysis failed (error " +
                           std::to_string(a.ErrorNumber()) + "): " + a.ErrorDescription());
    return a;
}

}  // namespace

SensitivityFactor parseVary(const std::string& text) {
    const size_t eq = text.find('=');
    const std::string name = text.substr(0, eq);
    std::optional<SensitivityFactor> factor = SensitivityFactor::fromName(name);
    if (!factor)
        throw CommandError("--vary " + text + ": unknown factor \"" + name +
                           "\" (discount-rate, tax-rate, investment:CASE, annual:CASE, "
                           "other:CASE or escalation:CASE)");
    if (eq == std::string::npos)
        return *factor;
    const std::string values = text.substr(eq + 1);
    const size_t colon = values.find(':');
    if (colon == std::string::npos)
        throw CommandError("--vary " + text + ": the values must be written LOW:HIGH");
    factor->low = parseValue(values.substr(0, colon), text);
    factor->high = parseValue(values.substr(colon + 1), text);
    return *factor;
}

int sensitivity(const std::string& dir, int studyId, const std::vector<std::string>& vary,
                const std::string& outDir) {
    std::vector<SensitivityFactor> factors;
    for (const std::string& v : vary)
        factors.push_back(parseVary(v));
    ProjectSession session(dir);
    session.study(studyId);
    const std::vector<fs::path> files = outputFiles(outDir);
    SensitivityAnalysis analysis;
    const SensitivityResult& r = analysed(analysis, studyId, factors).Result();
    writeNewFile(files[0], jsonText(r));
    writeNewFile(files[1], sensitivityText(r));
    const graph::Image chart = graph::ChartRenderer().render(tornadoChart(r));
    writeNewFile(files[2], std::string(chart.png.begin(), chart.png.end()));
    for (const SensitivityFactorResult& f : r.factors)
        for (const SensitivityPoint* p : {&f.low, &f.high})
            if (!p->calculated)
                std::cerr << "qvc: " << f.name << " at " << pointValueText(f.factor, *p)
                          << " was not calculated (" << p->errorNumber
                          << "): " << p->errorDescription << "\n";
    for (const fs::path& file : files)
        std::cout << file.string() << "\n";
    return 0;
}

void addSensitivityCommand(CLI::App& app, std::function<int()>& run) {
    struct Arguments {
        std::string dir, outDir;
        int study = 0;
        std::vector<std::string> vary;
    };
    auto a = std::make_shared<Arguments>();
    auto* cmd = app.add_subcommand(
        "sensitivity",
        "how the study's total present worths and preferred case move when an input is off");
    cmd->footer(
        "Factors: discount-rate, tax-rate (the study's rates), investment:CASE (every investment "
        "cost and salvage value of design case CASE), annual:CASE, other:CASE (its annual and "
        "other operating costs), escalation:CASE (every escalation rate of the case).\n"
        "Without values a factor is taken 20 % below and above its base. Values for the rates "
        "are the rates themselves (discount-rate=0.02:0.05 or =2%:5%; escalation:2=0:4% sets "
        "every escalation rate of case 2); values for the cost groups are changes "
        "(investment:2=-10%:+30%). Without --vary every factor that moves the study's results is "
        "varied by 20 %.\n"
        "Writes sensitivity.json, sensitivity.txt and tornado.png into the --out folder and "
        "refuses to replace any of them.");
    cmd->add_option("DIR", a->dir, "project folder")->required();
    cmd->add_option("STUDY", a->study, "study ID")->required();
    cmd->add_option("--vary", a->vary, "FACTOR or FACTOR=LOW:HIGH; repeat for more factors")
        ->allow_extra_args(false);
    cmd->add_option("--out", a->outDir, "folder for the three files")->required();
    cmd->callback(
        [a, &run] { run = [a] { return sensitivity(a->dir, a->study, a->vary, a->outDir); }; });
}

}  // namespace qvc::cli
