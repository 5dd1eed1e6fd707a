#include "history/TestHistory.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace {

// SQLite's result codes that say the file is not a sound database.
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

// How long a write waits for another program's lock before it gives up.
const QString ConnectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=250");

const QString Schema[] = {
    QStringLiteral("CREATE TABLE tests(id INTEGER PRIMARY KEY, taken INTEGER NOT NULL, "
                   "kind INTEGER NOT NULL, categories TEXT NOT NULL, score INTEGER NOT NULL, "
                   "asked INTEGER NOT NULL)"),
    QStringLiteral("CREATE INDEX tests_taken ON tests(taken)"),
    QStringLiteral("CREATE TABLE questions(test INTEGER NOT NULL, position INTEGER NOT NULL, "
                   "subject INTEGER NOT NULL, caption TEXT NOT NULL, options TEXT NOT NULL, "
                   "chosen TEXT NOT NULL, correct TEXT NOT NULL, PRIMARY KEY(test, position)) "
                   "WITHOUT ROWID"),
    QStringLiteral("CREATE TABLE subjects(kind INTEGER NOT NULL, subject INTEGER NOT NULL, "
                   "asked INTEGER NOT NULL, missed INTEGER NOT NULL, "
                   "PRIMARY KEY(kind, subject)) WITHOUT ROWID"),
};

// Kinds of test as stored.
constexpr int BySignificance = 0;
constexpr int ByInterpretation = 1;

QString plainReason(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    QString reason;
    switch (code) {
    case 5:
    case 6:
        reason = QStringLiteral("another program holds a lock on the file");
        break;
    case 8:
        reason = QStringLiteral("the file or its folder is read-only");
        break;
    case 10:
        reason = QStringLiteral("the disk could not be read or written");
        break;
    case SqliteCorrupt:
    case SqliteNotADatabase:
        reason = QStringLiteral("the file is damaged");
        break;
    case 13:
        reason = QStringLiteral("the disk is full");
        break;
    case 3:
    case 14:
    case 23:
        reason = QStringLiteral("the file cannot be opened");
        break;
    default:
        reason = QStringLiteral("the database reports an error");
        break;
    }
    const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return detail.isEmpty() ? reason : reason + QStringLiteral(" (") + detail + QLatin1Char(')');
}

QString joinedCategories(const QVector<int> &categories)
{
    QStringList texts;
    for (int c : categories)
        texts << QString::number(c);
    // Never null: the column holds an empty text for a test by significance.
    return texts.isEmpty() ? QStringLiteral("") : texts.join(QLatin1Char(','));
}

QVector<int> splitCategories(const QString &text)
{
    QVector<int> categories;
    for (const QString &piece : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        categories << piece.toInt();
    return categories;
}

QString optionsText(const QStringList &options)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(options)).toJson(QJsonDocument::Compact));
}

QStringList optionsOf(const QString &text)
{
    QStringList options;
    for (const QJsonValue &value : QJsonDocument::fromJson(text.toUtf8()).array())
        options << value.toString();
    return options;
}

} // namespace

TestHistory::TestHistory(const QString &folder, const QString &driver)
    : m_folder(folder), m_driver(driver)
{
    static QAtomicInt connections;
    m_connection = QStringLiteral("quillmere-history-%1").arg(connections.fetchAndAddRelaxed(1));
}

TestHistory::~TestHistory()
{
    close();
}

QString TestHistory::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString TestHistory::filePath() const
{
    return QDir(m_folder).filePath(QString::fromLatin1(FileName));
}

bool TestHistory::isOpen() const
{
    return m_open;
}

QSqlDatabase TestHistory::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool TestHistory::fail(const QString &what, const QString &reason)
{
    m_problem = QStringLiteral("The history cannot be %1: %2.").arg(what, reason);
    return false;
}

bool TestHistory::fail(const QString &what, const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    const int code = error.nativeErrorCode().toInt() & 0xff;
    if (code == SqliteCorrupt || code == SqliteNotADatabase)
        m_damaged = true;
    return fail(what, plainReason(error));
}

bool TestHistory::run(QSqlQuery &query, const QString &what)
{
    return query.exec() || fail(what, query);
}

bool TestHistory::exec(const QString &statement, const QString &what)
{
    QSqlQuery query(database());
    return query.exec(statement) || fail(what, query);
}

bool TestHistory::open()
{
    if (m_open)
        return true;
    const QString opened = QStringLiteral("opened");
    if (!QSqlDatabase::isDriverAvailable(m_driver))
        return fail(opened,
            QStringLiteral("the database driver %1 (Qt SQL's SQLite driver) is not installed")
                .arg(m_driver));
    if (!QDir().mkpath(m_folder))
        return fail(opened, QStringLiteral("its folder %1 cannot be made").arg(m_folder));
    m_damaged = false;
    if (openFile() && prepareSchema())
        return m_open = true;
    close();
    if (!m_damaged || !moveDamagedAside())
        return false;
    m_damaged = false;
    if (openFile() && prepareSchema())
        return m_open = true;
    close();
    return false;
}

bool TestHistory::openFile()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(m_driver, m_connection);
    db.setDatabaseName(filePath());
    db.setConnectOptions(ConnectOptions);
    if (!db.open())
        return fail(QStringLiteral("opened"), plainReason(db.lastError()));
    if (m_pageLimit > 0)
        exec(QStringLiteral("PRAGMA max_page_count = %1").arg(m_pageLimit), QString());
    return true;
}

bool TestHistory::prepareSchema()
{
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return fail(QStringLiteral("read"), query);
    const int version = query.value(0).toInt();
    query.finish();
    if (version > SchemaVersion) {
        m_problem = QStringLiteral("The history was written by a newer version of the program "
                                   "(its schema is %1, this version knows %2), so it is left "
                                   "untouched and nothing is recorded.")
                        .arg(version)
                        .arg(SchemaVersion);
        return false;
    }
    return version == SchemaVersion || createSchema();
}

bool TestHistory::createSchema()
{
    const QString made = QStringLiteral("started");
    QSqlDatabase db = database();
    if (!db.transaction())
        return fail(made, plainReason(db.lastError()));
    for (const QString &statement : Schema) {
        if (!exec(statement, made)) {
            db.rollback();
            return false;
        }
    }
    if (!exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion), made)) {
        db.rollback();
        return false;
    }
    return db.commit() || fail(made, plainReason(db.lastError()));
}

void TestHistory::close()
{
    {
        QSqlDatabase db = database();
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
    m_open = false;
}

bool TestHistory::moveDamagedAside()
{
    const QString file = filePath();
    QString aside;
    for (int n = 1; aside.isEmpty() || QFile::exists(aside); ++n)
        aside = file + QStringLiteral(".damaged-%1").arg(n);
    if (!QFile::rename(file, aside))
        return fail(QStringLiteral("repaired"),
            QStringLiteral("the file is damaged and cannot be moved aside as %1").arg(aside));
    const QString journal = file + QStringLiteral("-journal");
    if (QFile::exists(journal))
        QFile::rename(journal, aside + QStringLiteral("-journal"));
    m_notice = QStringLiteral("The history file was damaged; it was moved aside as %1 and a new "
                              "history was started.")
                   .arg(aside);
    return true;
}

void TestHistory::limitPages(int pages)
{
    m_pageLimit = pages;
    if (m_open)
        exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages > 0 ? pages : 1073741823),
            QString());
}

bool TestHistory::record(const TestRecord &test)
{
    m_problem.clear();
    if (!open())
        return false;
    if (writeTest(test))
        return true;
    if (!m_damaged)
        return false;
    // The file broke under the write: start afresh beside it.
    close();
    return open() && writeTest(test);
}

bool TestHistory::writeTest(const TestRecord &test)
{
    const QString written = QStringLiteral("written");
    QSqlDatabase db = database();
    if (!db.transaction())
        return fail(written, plainReason(db.lastError()));
    QSqlQuery row(db);
    row.prepare(QStringLiteral("INSERT INTO tests(taken, kind, categories, score, asked) "
                               "VALUES(?, ?, ?, ?, ?)"));
    row.addBindValue(test.taken.toMSecsSinceEpoch());
    row.addBindValue(test.bySignificance ? BySignificance : ByInterpretation);
    row.addBindValue(joinedCategories(test.categories));
    row.addBindValue(test.score);
    row.addBindValue(static_cast<int>(test.questions.size()));
    bool writing = run(row, written);
    const qint64 id = row.lastInsertId().toLongLong();
    QSqlQuery question(db);
    question.prepare(QStringLiteral("INSERT INTO questions(test, position, subject, caption, "
                                    "options, chosen, correct) VALUES(?, ?, ?, ?, ?, ?, ?)"));
    QSqlQuery subject(db);
    subject.prepare(QStringLiteral(
        "INSERT INTO subjects(kind, subject, asked, missed) VALUES(?, ?, 1, ?) "
        "ON CONFLICT(kind, subject) DO UPDATE SET asked = asked + 1, missed = missed + "
        "excluded.missed"));
    for (int i = 0; writing && i < test.questions.size(); ++i) {
        const AskedQuestion &asked = test.questions.at(i);
        const QVariantList values { id, i, asked.subject, asked.caption, optionsText(asked.options),
            asked.chosen.isNull() ? QStringLiteral("") : asked.chosen,
            asked.correct.isNull() ? QStringLiteral("") : asked.correct };
        for (int v = 0; v < values.size(); ++v)
            question.bindValue(v, values.at(v));
        subject.bindValue(0, test.bySignificance ? BySignificance : ByInterpretation);
        subject.bindValue(1, asked.subject);
        subject.bindValue(2, asked.isRight() ? 0 : 1);
        writing = run(question, written) && run(subject, written);
    }
    if (writing && db.commit())
        return true;
    if (writing)
        fail(written, plainReason(db.lastError()));
    db.rollback();
    return false;
}

std::optional<QVector<TestHistory::Summary>> TestHistory::tests()
{
    m_problem.clear();
    if (!open())
        return std::nullopt;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "SELECT id, taken, kind, score, asked FROM tests ORDER BY taken DESC, id DESC"))) {
        fail(QStringLiteral("read"), query);
        return std::nullopt;
    }
    QVector<Summary> tests;
    while (query.next()) {
        tests << Summary { query.value(0).toLongLong(),
            QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong(), Qt::UTC),
            query.value(2).toInt() == BySignificance, query.value(3).toInt(),
            query.value(4).toInt() };
    }
    return tests;
}

std::optional<TestRecord> TestHistory::test(qint64 id)
{
    m_problem.clear();
    if (!open())
        return std::nullopt;
    const QString read = QStringLiteral("read");
    QSqlQuery row(database());
    row.prepare(QStringLiteral("SELECT taken, kind, categories, score FROM tests WHERE id = ?"));
    row.addBindValue(id);
    if (!run(row, read) || !row.next())
        return std::nullopt;
    TestRecord test;
    test.taken = QDateTime::fromMSecsSinceEpoch(row.value(0).toLongLong(), Qt::UTC);
    test.bySignificance = row.value(1).toInt() == BySignificance;
    test.categories = splitCategories(row.value(2).toString());
    test.score = row.value(3).toInt();
    QSqlQuery questions(database());
    questions.prepare(QStringLiteral("SELECT subject, caption, options, chosen, correct FROM "
                                     "questions WHERE test = ? ORDER BY position"));
    questions.addBindValue(id);
    if (!run(questions, read))
        return std::nullopt;
    while (questions.next()) {
        test.questions << AskedQuestion { questions.value(0).toInt(), questions.value(1).toString(),
            optionsOf(questions.value(2).toString()), questions.value(3).toString(),
            questions.value(4).toString() };
    }
    return test;
}

std::optional<QVector<TestHistory::Missed>> TestHistory::mostMissed(int limit)
{
    m_problem.clear();
    if (!open())
        return std::nullopt;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT kind, subject, asked, missed FROM subjects WHERE missed "
                                 "> 0 ORDER BY missed DESC, asked, kind, subject LIMIT ?"));
    query.addBindValue(limit > 0 ? limit : -1);
    if (!run(query, QStringLiteral("read")))
        return std::nullopt;
    QVector<Missed> missed;
    while (query.next()) {
        missed << Missed { query.value(0).toInt() == BySignificance, query.value(1).toInt(),
            query.value(2).toInt(), query.value(3).toInt() };
    }
    return missed;
}

QVector<qint16> TestHistory::mostMissedVariations(int limit)
{
    QVector<qint16> variations;
    m_problem.clear();
    if (!open())
        return variations;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT subject FROM subjects WHERE kind = ? AND missed > 0 "
                                 "ORDER BY missed DESC, asked, subject LIMIT ?"));
    query.addBindValue(ByInterpretation);
    query.addBindValue(limit);
    if (!run(query, QStringLiteral("read")))
        return variations;
    while (query.next())
        variations << static_cast<qint16>(query.value(0).toInt());
    return variations;
}

bool TestHistory::clear()
{
    m_problem.clear();
    if (!open())
        return false;
    const QString cleared = QStringLiteral("cleared");
    QSqlDatabase db = database();
    if (!db.transaction())
        return fail(cleared, plainReason(db.lastError()));
    for (const char *table : { "questions", "subjects", "tests" }) {
        if (!exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)), cleared)) {
            db.rollback();
            return false;
        }
    }
    return db.commit() || fail(cleared, plainReason(db.lastError()));
}
