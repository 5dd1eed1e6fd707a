#pragma once

#include "testing/TestRecord.h"

#include <QDateTime>
#include <QString>
#include <QVector>

#include <optional>

class QSqlDatabase;
class QSqlQuery;

// The learner's record of finished tests: one SQLite file, opened only when
// first needed. Every failure leaves a plain reason in problem(); nothing is
// ever shown to the user from here. A damaged file is moved aside (as
// "<name>.damaged-<n>") before a fresh one is started; a file from a newer
// schema is left as it is.
class TestHistory final
{
public:
    static constexpr int SchemaVersion = 1;
    static constexpr const char *FileName = "test-history.sqlite";
    static constexpr const char *DefaultDriver = "QSQLITE";

    // One line of the list of past tests.
    struct Summary
    {
        qint64 id = 0;
        QDateTime taken;
        bool bySignificance = false;
        int score = 0;
        int questionCount = 0;
    };

    // How often a category (asked by significance) or a variation (asked by
    // interpretation) was asked and answered wrongly.
    struct Missed
    {
        bool category = false;
        int subject = 0;
        int asked = 0;
        int missed = 0;
    };

    // The file lives in `folder`, made when first written; `driver` is the
    // Qt SQL driver to use.
    explicit TestHistory(
        const QString &folder, const QString &driver = QString::fromLatin1(DefaultDriver));
    ~TestHistory();
    TestHistory(const TestHistory &) = delete;
    TestHistory &operator=(const TestHistory &) = delete;

    // The user's application data folder.
    static QString defaultFolder();
    QString filePath() const;

    // Records a finished test in one transaction. False, with a reason in
    // problem(), when it cannot be written.
    bool record(const TestRecord &test);

    // The past tests, newest first; nothing when the history cannot be read.
    std::optional<QVector<Summary>> tests();
    // One recorded test as it was recorded.
    std::optional<TestRecord> test(qint64 id);
    // The subjects missed at least once, the most missed first, at most
    // `limit` of them (all when `limit` is 0).
    std::optional<QVector<Missed>> mostMissed(int limit = 0);
    // The variations most often missed by interpretation, at most `limit`.
    QVector<qint16> mostMissedVariations(int limit);
    // Forgets every recorded test.
    bool clear();

    // Why the last operation failed; empty when it succeeded.
    QString problem() const { return m_problem; }
    // What happened to the file that the user should know, such as a damaged
    // file moved aside; empty otherwise.
    QString notice() const { return m_notice; }
    bool isOpen() const;

    // Lets the file grow by no more than `pages` pages of storage, as a full
    // disk would; 0 lifts the limit.
    void limitPages(int pages);

private:
    bool open();
    bool openFile();
    bool prepareSchema();
    bool createSchema();
    void close();
    bool moveDamagedAside();
    bool fail(const QString &what, const QSqlQuery &query);
    bool fail(const QString &what, const QString &reason);
    bool run(QSqlQuery &query, const QString &what);
    bool exec(const QString &statement, const QString &what);
    bool writeTest(const TestRecord &test);

    QSqlDatabase database() const;

    QString m_folder;
    QString m_driver;
    QString m_connection;
    QString m_problem;
    QString m_notice;
    bool m_open = false;
    bool m_damaged = false;
    int m_pageLimit = 0;
};
