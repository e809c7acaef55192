#include "common/ResourceStrings.h"

#include "common/ResourceMarkup.h"
#include "common/ThreadState.h"
#include "qvc/dao/Database.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {

namespace {

std::string trimmedText(const dao::Recordset& rs, const char* column) {
    rt::Value v = rs.field(column);
    if (v.isNull())
        return {};
    return rt::Trim(v.toText());
}

}  // namespace

std::string LoadResourceStrings() {
    // The resource database is only read; opening it read-only leaves a file in
    // a read-only install folder usable and writes nothing beside it.
    auto db = dao::Database::Open(threadState().gResourceDB, {.readOnly = true});
    auto rs = db->OpenRecordset(kResourceStringsQuery);
    std::string markup = "<XML>";
    if (!(rs->bof() && rs->eof())) {
        while (!rs->eof()) {
            std::string key = trimmedText(*rs, "ReferenceText");
            markup += '<';
            markup += key;
            markup += '>';
            markup += trimmedText(*rs, "WorkingText");
            markup += "</";
            markup += key;
            markup += ">\r\n";
            rs->MoveNext();
        }
    }
    markup += "</XML>";
    rs->Close();
    db->Close();
    return markup;
}

void AssignResourceStrings() {
    ThreadState& state = threadState();
    if (state.gStringsLoaded)
        return;
    const ResourceMarkup markup(LoadResourceStrings());
    if (!markup.wellFormed()) {
        throw rt::Error(rt::err::kXmlParse, "The resource texts in '" + state.gResourceDB +
                                                "' are not well-formed mark-up (" +
                                                markup.problem() + ")");
    }
    for (const ResourceKey& key : kResourceKeys) {
        std::optional<std::string> text = markup.firstElementText(key.name);
        if (!text) {
            throw rt::Error(rt::err::kObjectNotSet, "The resource text '" + std::string(key.name) +
                                                        "' is missing from '" + state.gResourceDB +
                                                        "'");
        }
        state.res.*key.member = std::move(*text);
    }
    state.gStringsLoaded = true;
}

const ResourceTexts& texts() {
    return threadState().res;
}

}  // namespace qvc
