// Builds the resource database from its reviewed text source.
//
//   qvc_make_resource_db SOURCE.txt OUTPUT.mdb
//
// The source holds one line per key: the key, a tab, the text. Blank lines and
// lines starting with "#" are comments. The build stops (exit code 1, one
// message per problem) unless every resource key of the component appears
// exactly once, no unknown key appears, and no text contains "<" or "&" (which
// would break the mark-up the texts are read through). The output is written
// beside the target and renamed over it, so a failed run leaves the previous
// database in place.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "qvc/dao/Database.h"
#include "qvc/runtime/Error.h"

namespace {

const std::vector<std::string>& componentKeys() {
    static const std::vector<std::string> keys = {
#define QVC_RESOURCE_KEY(name) #name,
#include "ResourceKeys.def"
#undef QVC_RESOURCE_KEY
    };
    return keys;
}

struct Entry {
    std::string key;
    std::string text;
};

std::string sqlQuoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out + "'";
}

bool readSource(const std::string& path, std::vector<Entry>& entries) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": cannot be read\n";
        return false;
    }
    const std::set<std::string> known(componentKeys().begin(), componentKeys().end());
    std::map<std::string, int> firstLine;
    bool ok = true;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        auto tab = line.find('\t');
        auto where = path + ":" + std::to_string(number) + ": ";
        if (tab == std::string::npos) {
            std::cerr << where << "expected KEY<tab>TEXT\n";
            ok = false;
            continue;
        }
        Entry e{line.substr(0, tab), line.substr(tab + 1)};
        if (!known.count(e.key)) {
            std::cerr << where << "unknown key '" << e.key << "'\n";
            ok = false;
        }
        if (auto [it, added] = firstLine.emplace(e.key, number); !added) {
            std::cerr << where << "key '" << e.key << "' already given on line " << it->second
                      << "\n";
            ok = false;
        }
        if (e.text.find_first_of("<&") != std::string::npos) {
            std::cerr << where << "the text of '" << e.key << "' contains '<' or '&'\n";
            ok = false;
        }
        entries.push_back(std::move(e));
    }
    for (const std::string& key : componentKeys()) {
        if (!firstLine.count(key)) {
            std::cerr << path << ": no text for key '" << key << "'\n";
            ok = false;
        }
    }
    return ok;
}

void writeDatabase(const std::vector<Entry>& entries, const std::filesystem::path& output) {
    std::filesystem::path partial = output;
    partial += ".partial";
    std::filesystem::remove(partial);
    {
        auto db = qvc::dao::Database::Create(partial.string());
        std::string sql =
            "BEGIN;"
            "CREATE TABLE ResourceStrings (ReferenceText TEXT, WorkingText TEXT);";
        for (const Entry& e : entries) {
            sql += "INSERT INTO ResourceStrings (ReferenceText, WorkingText) VALUES (" +
                   sqlQuoted(e.key) + ", " + sqlQuoted(e.text) + ");";
        }
        sql += "COMMIT;";
        db->Execute(sql);
        // A plain rollback-journal file can be copied and read from read-only media.
        db->Execute("PRAGMA journal_mode=DELETE");
        db->Close();
    }
    std::filesystem::rename(partial, output);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: qvc_make_resource_db SOURCE.txt OUTPUT.mdb\n";
        return 2;
    }
    std::vector<Entry> entries;
    if (!readSource(argv[1], entries))
        return 1;
    try {
        std::filesystem::path output(argv[2]);
        if (output.has_parent_path())
            std::filesystem::create_directories(output.parent_path());
        writeDatabase(entries, output);
    } catch (const qvc::rt::Error& e) {
        std::cerr << argv[2] << ": error " << e.number() << ": " << e.description() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << argv[2] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
