#include "JsonRecords.h"

#include <fmt/format.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "JsonExcerpt.h"
#include "Utf8Repair.h"

namespace qvc::cli {

using json = nlohmann::ordered_json;

namespace {

enum class Kind { Text, Number, Whole, Key, Flag };

const char* kindName(Kind k) {
    switch (k) {
        case Kind::Text:
            return "a text";
        case Kind::Number:
            return "a number";
        case Kind::Whole:
            return "a whole number from -32768 to 32767";
        case Kind::Key:
            return "a row key from 0 to 2147483647";
        case Kind::Flag:
            return "true or false";
    }
    return "?";
}

// Checks a JSON value against the kind a member needs.
void requireKind(const json& v, Kind kind, const std::string& field) {
    bool ok = false;
    switch (kind) {
        case Kind::Text:
            ok = v.is_string();
            break;
        case Kind::Number:
            ok = v.is_number() && std::isfinite(v.get<double>());
            break;
        case Kind::Whole:
            ok = v.is_number_integer() &&
                 v.get<long long>() >= std::numeric_limits<int16_t>::min() &&
                 v.get<long long>() <= std::numeric_limits<int16_t>::max();
            break;
        case Kind::Key:
            ok = v.is_number_integer() && v.get<long long>() >= 0 &&
                 v.get<long long>() <= std::numeric_limits<int32_t>::max();
            break;
        case Kind::Flag:
            ok = v.is_boolean();
            break;
    }
    if (!ok)
        throw JsonInputError(field + ": expected " + kindName(kind) + ", found " + jsonExcerpt(v));
}

struct RowProperty {
    const char* name;
    Kind kind;
    std::function<json(const cDesignCase&, int16_t)> get;
    std::function<void(cDesignCase&, int16_t, const json&)> set;
};

#define QVC_ROW_PROPERTY(Name, KindValue, Type)                                                  \
    RowProperty {                                                                                \
#Name, KindValue,                                                                        \
            [](const cDesignCase& c,                                                             \
               int16_t i) { return json(c.Name(i)); },                                           \
                                                    [](cDesignCase & c, int16_t i,               \
                                                       const json&                               \
                                                           v) { c.set##Name(i, v.get<Type>()); } \
    }
#define QVC_TEXT(Name) QVC_ROW_PROPERTY(Name, Kind::Text, std::string)
#define QVC_NUMBER(Name) QVC_ROW_PROPERTY(Name, Kind::Number, double)
#define QVC_WHOLE(Name) QVC_ROW_PROPERTY(Name, Kind::Whole, int16_t)
#define QVC_KEY(Name) QVC_ROW_PROPERTY(Name, Kind::Key, int32_t)
#define QVC_FLAG(Name) QVC_ROW_PROPERTY(Name, Kind::Flag, bool)

struct CaseListFormat {
    const char* key;
    int16_t capacity;
    std::vector<RowProperty> properties;
};

const std::vector<CaseListFormat>& caseLists() {
    static const std::vector<CaseListFormat> lists = {
        {"Investments",
         cDesignCase::kInvestments,
         {QVC_TEXT(InvItemName), QVC_NUMBER(InvCost), QVC_WHOLE(InvYear), QVC_NUMBER(InvEscRate),
          QVC_FLAG(InvTaxExempt), QVC_NUMBER(SalvageValue), QVC_WHOLE(InvDepMethod),
          QVC_WHOLE(InvDepLife), QVC_WHOLE(InvUsefulLife), QVC_KEY(InvItemPK)}},
        {"Loans",
         cDesignCase::kLoans,
         {QVC_TEXT(LoanItemName), QVC_WHOLE(LoanYear), QVC_NUMBER(LoanTotlaInvest),
          QVC_NUMBER(LoanPercent), QVC_WHOLE(LoanTerm), QVC_NUMBER(LoanIntRate),
          QVC_WHOLE(LoanPayPlan), QVC_KEY(LoanItemPK)}},
        {"AnnualCosts",
         cDesignCase::kAnnualCosts,
         {QVC_TEXT(AnnOpCostName), QVC_NUMBER(AnnOpCost), QVC_WHOLE(AnnOpCostStartYear),
          QVC_WHOLE(AnnOpCostNumYears), QVC_NUMBER(AnnOpCostEscRate), QVC_KEY(AnnItemPK)}},
        {"OtherCosts",
         cDesignCase::kOtherCosts,
         {QVC_TEXT(OtherOpCostName), QVC_NUMBER(OtherOpCost), QVC_WHOLE(OtherOpCostStartYear),
          QVC_WHOLE(OtherOpCostTimes), QVC_WHOLE(OtherOpCostInterval),
          QVC_NUMBER(OtherOpCostEscRate), QVC_KEY(OtherItemPK)}},
    };
    return lists;
}

#undef QVC_ROW_PROPERTY
#undef QVC_TEXT
#undef QVC_NUMBER
#undef QVC_WHOLE
#undef QVC_KEY
#undef QVC_FLAG

void requireObject(const json& j, const std::string& what) {
    if (!j.is_object())
        throw JsonInputError(what + ": expected an object, found " + jsonExcerpt(j));
}

// A stored value as written: texts may hold bytes that are not UTF-8 (imported
// from elsewhere), which JSON cannot carry.
json written(json v) {
    if (v.is_string())
        v = withValidUtf8(v.get_ref<const json::string_t&>());
    return v;
}

bool isDefault(const json& v) {
    return (v.is_string() && v.get<std::string>().empty()) ||
           (v.is_number() && v.get<double>() == 0.0) || (v.is_boolean() && !v.get<bool>());
}

// Scalar members of a record: name, kind, and where the value lives.
template <typename Record>
struct ScalarMember {
    const char* name;
    Kind kind;
    std::function<json(const Record&)> get;
    std::function<void(Record&, const json&)> set;
};

#define QVC_SCALAR(Record, Member, KindValue, Type)                                               \
    ScalarMember<Record> {                                                                        \
#Member, KindValue,                                                                       \
            [](const Record&                                                                      \
                   r) { return json(r.Member); }, [](Record & r,                                  \
                                                     const json& v) { r.Member = v.get<Type>(); } \
    }

const std::vector<ScalarMember<cStudy>>& studyMembers() {
    static const std::vector<ScalarMember<cStudy>> members = {
        QVC_SCALAR(cStudy, StudyTitle, Kind::Text, std::string),
        QVC_SCALAR(cStudy, StudyDescription, Kind::Text, std::string),
        QVC_SCALAR(cStudy, TypeOfAnalysis, Kind::Whole, int16_t),
        QVC_SCALAR(cStudy, TypeOfAlternative, Kind::Whole, int16_t),
        QVC_SCALAR(cStudy, BaseYear, Kind::Whole, int16_t),
        QVC_SCALAR(cStudy, CurSymbol, Kind::Text, std::string),
        QVC_SCALAR(cStudy, Lifecycle, Kind::Whole, int16_t),
        QVC_SCALAR(cStudy, DiscountRate, Kind::Number, double),
        QVC_SCALAR(cStudy, CalcIncomeTaxes, Kind::Flag, bool),
        QVC_SCALAR(cStudy, IncomeTaxes, Kind::Number, double),
    };
    return members;
}

const std::vector<ScalarMember<cDesignCase>>& caseMembers() {
    static const std::vector<ScalarMember<cDesignCase>> members = {
        QVC_SCALAR(cDesignCase, CaseTitle, Kind::Text, std::string),
        QVC_SCALAR(cDesignCase, CaseShortTitle, Kind::Text, std::string),
        QVC_SCALAR(cDesignCase, CaseDes, Kind::Text, std::string),
        QVC_SCALAR(cDesignCase, AnalysisType, Kind::Whole, int16_t),
        QVC_SCALAR(cDesignCase, Lifecycle, Kind::Whole, int16_t),
        QVC_SCALAR(cDesignCase, StudyID, Kind::Whole, int16_t),
    };
    return members;
}

#undef QVC_SCALAR

template <typename Record>
const ScalarMember<Record>* findMember(const std::vector<ScalarMember<Record>>& members,
                                       const std::string& key) {
    for (const auto& m : members)
        if (key == m.name)
            return &m;
    return nullptr;
}

void readRows(cDesignCase& c, const CaseListFormat& list, const json& rows) {
    if (!rows.is_array())
        throw JsonInputError(std::string(list.key) + ": expected an array of rows");
    if (rows.size() > static_cast<size_t>(list.capacity))
        throw JsonInputError(fmt::format("{}: {} rows given, the list holds {}", list.key,
                                         rows.size(), list.capacity));
    for (size_t k = 0; k < rows.size(); ++k) {
        const std::string where = fmt::format("{}[{}]", list.key, k + 1);
        requireObject(rows[k], where);
        for (const auto& [key, value] : rows[k].items()) {
            const RowProperty* prop = nullptr;
            for (const auto& p : list.properties)
                if (key == p.name)
                    prop = &p;
            if (prop == nullptr)
                throw JsonInputError(where + "." + textExcerpt(key) + ": unknown field");
            requireKind(value, prop->kind, where + "." + key);
            prop->set(c, static_cast<int16_t>(k + 1), value);
        }
    }
}

}  // namespace

cStudy studyFromJson(const json& j) {
    requireObject(j, "study");
    cStudy s;
    for (const auto& [key, value] : j.items()) {
        const auto* m = findMember(studyMembers(), key);
        if (m == nullptr)
            throw JsonInputError(textExcerpt(key) + ": unknown field of a study");
        requireKind(value, m->kind, key);
        m->set(s, value);
    }
    return s;
}

json studyToJson(const cStudy& s) {
    json j = json::object();
    for (const auto& m : studyMembers())
        j[m.name] = written(m.get(s));
    return j;
}

cDesignCase caseFromJson(const json& j, CaseScalarsPresent* present) {
    requireObject(j, "case");
    cDesignCase c;
    for (const auto& [key, value] : j.items()) {
        if (const auto* m = findMember(caseMembers(), key)) {
            requireKind(value, m->kind, key);
            m->set(c, value);
            if (present != nullptr) {
                present->analysisType |= key == "AnalysisType";
                present->lifecycle |= key == "Lifecycle";
                present->studyId |= key == "StudyID";
            }
            continue;
        }
        const CaseListFormat* list = nullptr;
        for (const auto& l : caseLists())
            if (key == l.key)
                list = &l;
        if (list == nullptr)
            throw JsonInputError(textExcerpt(key) + ": unknown field of a design case");
        readRows(c, *list, value);
    }
    return c;
}

json caseToJson(const cDesignCase& c) {
    json j = json::object();
    for (const auto& m : caseMembers())
        j[m.name] = written(m.get(c));
    for (const auto& list : caseLists()) {
        json rows = json::array();
        int16_t last = 0;
        for (int16_t i = 1; i <= list.capacity; ++i)
            for (const auto& p : list.properties)
                if (!isDefault(p.get(c, i)))
                    last = i;
        for (int16_t i = 1; i <= last; ++i) {
            json row = json::object();
            for (const auto& p : list.properties)
                row[p.name] = written(p.get(c, i));
            rows.push_back(std::move(row));
        }
        j[list.key] = std::move(rows);
    }
    return j;
}

}  // namespace qvc::cli
