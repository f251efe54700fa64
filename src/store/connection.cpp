#include "connection.h"

#include "storeerror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSaveFile>
#include <QStandardPaths>

#include <openssl/evp.h>
#include <sqlite3.h>

namespace {

// SQLCipher 3 defaults: PBKDF2-HMAC-SHA1, 64000 iterations, 256-bit key,
// 16-byte salt at the start of the file.
constexpr int KdfIterations = 64000;
constexpr int KeyBytes = 32;
constexpr int SaltBytes = 16;

QByteArray readSalt(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray salt = file.read(SaltBytes);
    return salt.size() == SaltBytes ? salt : QByteArray();
}

// The user's own key store in the runtime folder (private to the user,
// emptied at log-out): a simulator process started by the program finds the
// key the program derived and opens the bank at once. The key is worth no
// more than the password every program of the system carries.
//
// One file per bank file, named after its path: a rebuilt bank (new salt)
// replaces its key, and the key of a bank that is gone is removed the next
// time a key is written. Each file holds the key, the salt it belongs to and
// the bank's path:  <key hex> '\n' <salt hex> '\n' <bank path>.
QString sharedKeyFile(const QString &bankPath, const QString &password)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return {};
    const QByteArray name = QFile::encodeName(QFileInfo(bankPath).absoluteFilePath()) + '\0' + password.toUtf8();
    return folder + QStringLiteral("/pelquor-key-")
        + QString::fromLatin1(QCryptographicHash::hash(name, QCryptographicHash::Sha256).toHex().left(32));
}

struct SharedKey
{
    QByteArray hex;
    QByteArray salt;
    QString bank;
};

SharedKey readSharedKeyFile(const QString &file)
{
    QFile f(file);
    if (file.isEmpty() || !f.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = f.read(4096).split('\n');
    if (lines.size() < 3)
        return {};
    return {lines.at(0).trimmed(), QByteArray::fromHex(lines.at(1).trimmed()), QFile::decodeName(lines.at(2))};
}

QByteArray readSharedKey(const QString &file, const QByteArray &salt)
{
    const SharedKey key = readSharedKeyFile(file);
    if (key.salt != salt || key.hex.size() != 2 * KeyBytes || QByteArray::fromHex(key.hex).toHex() != key.hex.toLower())
        return {};
    return key.hex;
}

// Key files of banks that no longer exist, and files this store cannot
// read (left by an earlier release), are of no use to anyone.
void removeStaleKeys(const QString &keep)
{
    const QDir folder = QFileInfo(keep).dir();
    for (const QString &name : folder.entryList({QStringLiteral("pelquor-key-*")}, QDir::Files)) {
        const QString file = folder.filePath(name);
        if (file == keep)
            continue;
        const SharedKey key = readSharedKeyFile(file);
        if (key.bank.isEmpty() || !QFileInfo::exists(key.bank))
            QFile::remove(file);
    }
}

void writeSharedKey(const QString &file, const QByteArray &hex, const QByteArray &salt, const QString &bankPath)
{
    if (file.isEmpty())
        return;
    QSaveFile f(file);
    if (f.open(QIODevice::WriteOnly)) {
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        f.write(hex + '\n' + salt.toHex() + '\n' + QFile::encodeName(QFileInfo(bankPath).absoluteFilePath()));
        if (f.commit())
            removeStaleKeys(file);
    }
}

QMutex keyMutex;
QHash<QByteArray, QByteArray> keyCache;

QByteArray cacheKeyFor(const QString &password, const QByteArray &salt)
{
    return password.toUtf8() + '\0' + salt;
}

void forgetRawKey(const QString &bankPath, const QString &password, const QByteArray &salt)
{
    const QByteArray cacheKey = cacheKeyFor(password, salt);
    QMutexLocker lock(&keyMutex);
    keyCache.remove(cacheKey);
    if (const QString shared = sharedKeyFile(bankPath, password); !shared.isEmpty())
        QFile::remove(shared);
}

// The raw key literal for `PRAGMA key`, derived once per password and salt.
QByteArray rawKeyLiteral(const QString &bankPath, const QString &password, const QByteArray &salt)
{
    auto &cache = keyCache;
    const QByteArray pass = password.toUtf8();
    const QByteArray cacheKey = cacheKeyFor(password, salt);
    QMutexLocker lock(&keyMutex);
    if (const auto it = cache.constFind(cacheKey); it != cache.constEnd())
        return *it;

    const QString shared = sharedKeyFile(bankPath, password);
    QByteArray hex = readSharedKey(shared, salt);
    if (hex.isEmpty()) {
        unsigned char key[KeyBytes];
        if (PKCS5_PBKDF2_HMAC(pass.constData(), int(pass.size()),
                              reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()),
                              KdfIterations, EVP_sha1(), KeyBytes, key) != 1)
            return {};
        hex = QByteArray(reinterpret_cast<const char *>(key), KeyBytes).toHex();
        writeSharedKey(shared, hex, salt, bankPath);
    }
    const QByteArray literal = "\"x'" + hex + "'\"";
    cache.insert(cacheKey, literal);
    return literal;
}

QByteArray quotedPassphrase(const QString &password)
{
    QByteArray pass = password.toUtf8();
    pass.replace('\'', "''");
    return "'" + pass + "'";
}

} // namespace

Connection::Connection() = default;

Connection::Connection(const QString &connectionString)
{
    setConnectionString(connectionString);
}

Connection::~Connection()
{
    close();
}

QString Connection::databasePassword()
{
    return QStringLiteral("qmvrtpzkdsnbhfgwxe73");
}

namespace {

// A value holding the separator or a quote is written between quotes, as
// connection strings allow; a plain path stays as it always was.
QString connectionValue(const QString &value)
{
    if (!value.contains(u';') && !value.contains(u'"') && !value.contains(u'\''))
        return value;
    if (!value.contains(u'"'))
        return u'"' + value + u'"';
    return u'\'' + QString(value).replace(QStringLiteral("'"), QStringLiteral("''")) + u'\'';
}

// The parts `key=value` of a connection string; a value between double or
// single quotes may hold ';', and a doubled quote stands for itself.
QList<QPair<QString, QString>> connectionParts(const QString &text)
{
    QList<QPair<QString, QString>> parts;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype eq = text.indexOf(u'=', i);
        const qsizetype semicolon = text.indexOf(u';', i);
        if (eq < 0 || (semicolon >= 0 && semicolon < eq)) {
            if (semicolon < 0)
                break;
            i = semicolon + 1;
            continue;
        }
        const QString key = text.mid(i, eq - i).trimmed();
        qsizetype v = eq + 1;
        while (v < text.size() && text.at(v) == u' ')
            ++v;
        QString value;
        if (v < text.size() && (text.at(v) == u'"' || text.at(v) == u'\'')) {
            const QChar quote = text.at(v);
            qsizetype c = v + 1;
            for (; c < text.size(); ++c) {
                if (text.at(c) != quote) {
                    value += text.at(c);
                } else if (c + 1 < text.size() && text.at(c + 1) == quote) {
                    value += quote;
                    ++c;
                } else {
                    break;
                }
            }
            const qsizetype next = text.indexOf(u';', c);
            i = next < 0 ? text.size() : next + 1;
        } else {
            const qsizetype next = text.indexOf(u';', eq + 1);
            value = text.mid(eq + 1, (next < 0 ? text.size() : next) - eq - 1);
            i = next < 0 ? text.size() : next + 1;
        }
        parts.append({key, value});
    }
    return parts;
}

} // namespace

QString Connection::connectionStringFor(const QString &programFolder)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=")
        + connectionValue(programFolder + QStringLiteral("data/orva.mdb"))
        + QStringLiteral(";Persist Security Info=False")
        + QStringLiteral(";Jet OLEDB:Database Password=") + databasePassword();
}

void Connection::setConnectionString(const QString &connectionString)
{
    m_connectionString = connectionString;
    m_dataSource.clear();
    m_password.clear();
    for (const auto &[key, value] : connectionParts(connectionString)) {
        if (key.compare(u"Data Source", Qt::CaseInsensitive) == 0)
            m_dataSource = value.trimmed();
        else if (key.compare(u"Jet OLEDB:Database Password", Qt::CaseInsensitive) == 0)
            m_password = value;
    }
}

void Connection::open(Mode mode)
{
    close();
    if (m_dataSource.isEmpty())
        throw StoreError(QStringLiteral("连接字符串中没有数据源。"), m_connectionString);

    const int flags = SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0);
    openFile(flags);

    // A file that already has its salt is keyed with the cached raw key;
    // a new or empty file gets the password and its own fresh salt.
    const QByteArray salt = readSalt(m_dataSource);
    const QByteArray rawKey = salt.isEmpty() ? QByteArray() : rawKeyLiteral(m_dataSource, m_password, salt);
    if (!rawKey.isEmpty() && keyWith(rawKey))
        return;
    // A stored key that does not fit (a damaged key store) is derived anew;
    // when that does not fit either, the password itself decides.
    if (!rawKey.isEmpty()) {
        forgetRawKey(m_dataSource, m_password, salt);
        const QByteArray derived = rawKeyLiteral(m_dataSource, m_password, salt);
        if (derived != rawKey && keyWith(derived))
            return;
        close();
        openFile(flags);
    }
    try {
        key(quotedPassphrase(m_password));
    } catch (const StoreError &error) {
        close();
        throw StoreError(error.message() + QStringLiteral(" (") + m_dataSource + u')', {}, error.engineCode());
    }
}

void Connection::openFile(int flags)
{
    const QByteArray path = QFile::encodeName(m_dataSource);
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw StoreError(message + QStringLiteral(" (") + m_dataSource + u')', {}, rc & 0xff);
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
}

void Connection::key(const QByteArray &key)
{
    exec(QString::fromUtf8("PRAGMA key = " + key + ";"));
    // Keying is lazy: the first read tells whether the key fits.
    exec(QStringLiteral("SELECT count(*) FROM sqlite_master;"));
}

bool Connection::keyWith(const QByteArray &rawKey)
{
    try {
        key(rawKey);
        return true;
    } catch (const StoreError &error) {
        // Only a key that does not fit is a reason to try another one; a
        // file another program holds says nothing about the key.
        if (error.isTransient()) {
            close();
            throw StoreError(error.message() + QStringLiteral(" (") + m_dataSource + u')', {}, error.engineCode());
        }
        return false;
    }
}

void Connection::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Connection::exec(const QString &statements)
{
    if (!m_db)
        throw StoreError(QStringLiteral("数据库连接没有打开。"), statements);
    char *error = nullptr;
    if (sqlite3_exec(m_db, statements.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db));
        sqlite3_free(error);
        throw StoreError(message, statements, sqlite3_errcode(m_db) & 0xff);
    }
}

void Connection::setBusyTimeout(int ms)
{
    m_busyTimeoutMs = ms;
    if (m_db)
        sqlite3_busy_timeout(m_db, ms);
}

sqlite3 *Connection::handle() const
{
    if (!m_db)
        throw StoreError(QStringLiteral("数据库连接没有打开。"));
    return m_db;
}

void Connection::commitQuietly() noexcept
{
    if (m_db)
        sqlite3_exec(m_db, "commit", nullptr, nullptr, nullptr);
}

bool StoreError::isBusy() const
{
    return m_engineCode == SQLITE_BUSY || m_engineCode == SQLITE_LOCKED;
}

bool StoreError::isTransient() const
{
    return isBusy() || m_engineCode == SQLITE_FULL || m_engineCode == SQLITE_IOERR;
}
