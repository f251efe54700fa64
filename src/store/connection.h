#pragma once

#include <QString>

#include <memory>

struct sqlite3;

// One connection to the question-bank file. Each window that uses the bank
// owns one, built from the system's connection string: the data source and
// the database password are taken from it, other keys are ignored.
//
// The bank is a SQLCipher file keyed with the password. Deriving the key from
// the password is deliberately slow (tens of milliseconds), and the windows
// re-open their connections often (every pass of the simulator hand-shake),
// so the derived key is kept per process and file salt, and re-opens key the
// file with the raw key. The file format stays the default one, so authors can
// inspect it with the sqlcipher shell and `PRAGMA key`.
class Connection
{
public:
    enum class Mode { OpenExisting, Create };

    Connection();
    explicit Connection(const QString &connectionString);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // The system's connection string for the bank of the given program folder.
    static QString connectionStringFor(const QString &programFolder);
    static QString databasePassword();

    void setConnectionString(const QString &connectionString);
    QString connectionString() const { return m_connectionString; }
    QString dataSource() const { return m_dataSource; }

    // Throws StoreError with the engine's message: missing file, wrong password...
    void open(Mode mode = Mode::OpenExisting);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Runs statements without a result (used by the content builder).
    void exec(const QString &statements);

    // Runs a walk of row-by-row posts as one write to the file instead of
    // one per row (hundreds of rows in well under the time of a few single
    // writes). What was posted before an error stays posted, just as if
    // every post stood on its own; the error goes on to the caller.
    template<typename Work>
    void batch(Work &&work)
    {
        exec(QStringLiteral("begin"));
        try {
            work();
        } catch (...) {
            commitQuietly();
            throw;
        }
        exec(QStringLiteral("commit"));
    }

    sqlite3 *handle() const;

    // Waiting time on a lock held by another connection or a simulator.
    static constexpr int BusyTimeoutMs = 10000;
    // A shorter wait for callers that retry on their own (from a timer,
    // without blocking the screen for the whole default wait).
    void setBusyTimeout(int ms);

private:
    void openFile(int flags);
    int m_busyTimeoutMs = BusyTimeoutMs;
    void key(const QByteArray &key);
    bool keyWith(const QByteArray &rawKey);
    void commitQuietly() noexcept;

    QString m_connectionString;
    QString m_dataSource;
    QString m_password;
    sqlite3 *m_db = nullptr;
};
