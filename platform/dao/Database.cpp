#include "qvc/dao/Database.h"

#include <fmt/format.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <iterator>

#include <fcntl.h>
#include <unistd.h>

#include "Connection.h"
#include "JetLike.h"
#include "RowReader.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::dao {

namespace err = rt::err;

namespace {

// CREATE, ALTER and DROP change what tables and columns exist. Blanks and
// comments before the first word are skipped.
bool changesLayout(const char* sql) {
    if (sql == nullptr)
        return false;
    for (;;) {
        while (std::isspace(static_cast<unsigned char>(*sql)))
            ++sql;
        if (sql[0] == '-' && sql[1] == '-') {
            while (*sql != '\0' && *sql != '\n')
                ++sql;
        } else if (sql[0] == '/' && sql[1] == '*') {
            const char* end = std::strstr(sql + 2, "*/");
            sql = end != nullptr ? end + 2 : sql + std::strlen(sql);
        } else {
            break;
        }
    }
    for (const char* word : {"CREATE", "ALTER", "DROP"}) {
        const int n = static_cast<int>(std::strlen(word));
        if (sqlite3_strnicmp(sql, word, n) == 0 &&
            !std::isalnum(static_cast<unsigned char>(sql[n])))
            return true;
    }
    return false;
}

// SQLite URI file names need %, ? and # escaped.
std::string fileUri(const std::string& path, const char* query) {
    std::string uri = "file:";
    for (unsigned char c : std::filesystem::absolute(path).string()) {
        if (c == '%' || c == '?' || c == '#') {
            fmt::format_to(std::back_inserter(uri), "%{:02X}", c);
        } else {
            uri += static_cast<char>(c);
        }
    }
    return uri + query;
}

void execPragma(sqlite3* db, const char* sql) {
    char* msg = nullptr;
    int rc = sqlite3_exec(db, sql, nullptr, nullptr, &msg);
    sqlite3_free(msg);
    if (rc != SQLITE_OK)
        throwSqliteError(db, rc, sql);
}

// The journal mode a database file's header records: WAL files carry 2 in
// bytes 18 and 19, rollback-journal files 1. Anything unreadable counts as 1.
bool headerSaysWal(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    unsigned char header[20] = {};
    const ssize_t got = ::pread(fd, header, sizeof header, 0);
    ::close(fd);
    return got == static_cast<ssize_t>(sizeof header) && header[18] == 2 && header[19] == 2;
}

std::shared_ptr<Connection> openConnection(const std::string& path, const std::string& uri,
                                           int flags, bool readOnly, int busyTimeoutMs) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(uri.c_str(), &db, flags | SQLITE_OPEN_URI, nullptr);
    auto connection = std::make_shared<Connection>(db, path, readOnly);
    if (rc != SQLITE_OK)
        throwSqliteError(db, rc, path);
    sqlite3_busy_timeout(db, busyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    registerJetLike(db);
    // Reading the schema is the first access: it tells a database from another
    // file, and it rolls back what an interrupted writer left in a hot journal.
    execPragma(db, "PRAGMA schema_version");
    if (!readOnly) {
        // A full sync at every commit: what was committed survives a power cut.
        execPragma(db, "PRAGMA synchronous=FULL");
    }
    return connection;
}

// The connection this thread kept from its last read-only use of the file.
std::shared_ptr<Connection> reusedReadOnly(const std::string& path, int busyTimeoutMs) {
    ParkedConnection::Statements idle;
    sqlite3* db = ParkedConnection::take(path, idle);
    if (db == nullptr) {
        return nullptr;
    }
    sqlite3_busy_timeout(db, busyTimeoutMs);
    auto connection = std::make_shared<Connection>(db, path, true);
    connection->adoptStatements(std::move(idle));
    if (const std::optional<FileIdentity> identity = identityOf(path)) {
        connection->allowReuse(*identity);
    }
    return connection;
}

std::shared_ptr<Connection> openReadOnly(const std::string& path, int busyTimeoutMs) {
    if (auto reused = reusedReadOnly(path, busyTimeoutMs)) {
        return reused;
    }
    // A WAL file cannot be read without a shared-memory file beside it; it is
    // read as an unchanging file instead, so nothing is ever written beside it.
    if (headerSaysWal(path))
        return openConnection(path, fileUri(path, "?mode=ro&immutable=1"), SQLITE_OPEN_READONLY,
                              true, busyTimeoutMs);
    try {
        const std::optional<FileIdentity> identity = identityOf(path);
        auto connection = openConnection(path, fileUri(path, "?mode=ro"), SQLITE_OPEN_READONLY,
                                         true, busyTimeoutMs);
        if (identity) {
            connection->allowReuse(*identity);
        }
        return connection;
    } catch (const rt::Error& e) {
        // A writer killed in the middle of a transaction leaves a hot journal
        // that a read-only connection cannot roll back. Where the file may be
        // written, one read-write opening restores the last committed state.
        if (e.number() != err::kReadOnlyDatabase || ::access(path.c_str(), W_OK) != 0)
            throw;
        openConnection(path, fileUri(path, ""), SQLITE_OPEN_READWRITE, false, busyTimeoutMs);
        return openConnection(path, fileUri(path, "?mode=ro"), SQLITE_OPEN_READONLY, true,
                              busyTimeoutMs);
    }
}

thread_local Database::StatementObserver statementObserver;

void observe(const std::string& sql) {
    if (statementObserver)
        statementObserver(sql);
}

}  // namespace

void Database::SetStatementObserver(StatementObserver observer) {
    statementObserver = std::move(observer);
}

std::shared_ptr<Database> Database::Open(const std::string& path, OpenOptions options) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        throw rt::Error(err::kDatabaseFileNotFound, "Could not find file '" + path + "'");
    }
    auto connection = options.readOnly
                          ? openReadOnly(path, options.busyTimeoutMs)
                          : openConnection(path, fileUri(path, ""), SQLITE_OPEN_READWRITE, false,
                                           options.busyTimeoutMs);
    return std::shared_ptr<Database>(new Database(std::move(connection), path));
}

std::shared_ptr<Database> Database::Create(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        throw rt::Error(err::kFileAlreadyExists, "File already exists: '" + path + "'");
    }
    auto connection = openConnection(path, fileUri(path, ""),
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, false, 5000);
    return std::shared_ptr<Database>(new Database(std::move(connection), path));
}

Database::Database(std::shared_ptr<Connection> connection, std::string path)
    : connection_(std::move(connection)), path_(std::move(path)) {}

Database::~Database() = default;

std::unique_ptr<Recordset> Database::OpenRecordset(const std::string& sql) {
    observe(sql);
    Statement stmt(*connection_, sql);
    sqlite3* db = connection_->handle();
    if (stmt.get() == nullptr) {
        throw rt::Error(err::kSyntaxError, "The statement is empty");
    }
    RowReader reader(db, stmt.get());
    return std::make_unique<Recordset>(connection_, reader.columns(), sql);
}

int Database::Execute(const std::string& sql) {
    observe(sql);
    sqlite3* db = connection_->handle();
    std::string rest = sql;
    int changes = 0;
    for (;;) {
        Statement stmt(db, rest);
        if (stmt.get() == nullptr)
            break;  // only blanks or comments left
        int rc;
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            throwSqliteError(db, rc, rest);
        changes = sqlite3_changes(db);
        if (changesLayout(sqlite3_sql(stmt.get())))
            connection_->forgetStatements();
        rest = stmt.tail();
    }
    return changes;
}

void Database::BeginTrans() {
    // Takes the write lock at once, waiting up to the busy timeout for it: a
    // transaction that read first and asked for the lock later could only be
    // refused, not made to wait, while another connection writes.
    Execute("BEGIN IMMEDIATE");
}
void Database::CommitTrans() {
    Execute("COMMIT");
}
void Database::Rollback() {
    Execute("ROLLBACK");
}
bool Database::inTransaction() const {
    return connection_->isOpen() && sqlite3_get_autocommit(connection_->handle()) == 0;
}

void Database::Close() {
    connection_->closeForReuse();
}
bool Database::isOpen() const {
    return connection_->isOpen();
}
bool Database::isReadOnly() const {
    return connection_->readOnly();
}

}  // namespace qvc::dao
