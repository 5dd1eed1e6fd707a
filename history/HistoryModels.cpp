#include "history/HistoryModels.h"

#include "knowledge/KnowledgeBase.h"

#include <QLocale>

namespace {

// The window lists this many of the most missed subjects.
constexpr int MissedShown = 30;

} // namespace

HistoryView HistoryView::read(TestHistory &history)
{
    HistoryView view;
    if (auto tests = history.tests()) {
        view.tests = *tests;
        if (auto missed = history.mostMissed(MissedShown))
            view.missed = *missed;
    }
    view.problem = history.problem();
    view.notice = history.notice();
    return view;
}

int scorePercent(int score, int questionCount)
{
    return questionCount > 0 ? (score * 100 + questionCount / 2) / questionCount : 0;
}

QString scoreText(int score, int questionCount)
{
    return QStringLiteral("%1 of %2 (%3%)")
        .arg(score)
        .arg(questionCount)
        .arg(scorePercent(score, questionCount));
}

TestListModel::TestListModel(QObject *parent) : QAbstractTableModel(parent) { }

void TestListModel::setTests(const QVector<TestHistory::Summary> &tests)
{
    beginResetModel();
    m_tests = tests;
    endResetModel();
}

int TestListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_tests.size());
}

int TestListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TestListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_tests.size()
        || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const TestHistory::Summary &test = m_tests.at(index.row());
    switch (index.column()) {
    case Taken:
        return QLocale().toString(test.taken.toLocalTime(), QLocale::ShortFormat);
    case Kind:
        return test.bySignificance ? QStringLiteral("By significance")
                                   : QStringLiteral("By interpretation");
    case Score:
        return scoreText(test.score, test.questionCount);
    default:
        return {};
    }
}

QVariant TestListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Taken:
        return QStringLiteral("Taken");
    case Kind:
        return QStringLiteral("Test");
    case Score:
        return QStringLiteral("Score");
    default:
        return {};
    }
}

MissedModel::MissedModel(const KnowledgeBase &kb, QObject *parent)
    : QAbstractTableModel(parent), m_kb(kb)
{ }

void MissedModel::setMissed(const QVector<TestHistory::Missed> &missed)
{
    beginResetModel();
    m_missed = missed;
    endResetModel();
}

QString MissedModel::subjectName(const TestHistory::Missed &missed) const
{
    if (missed.category) {
        if (missed.subject < 0 || missed.subject >= KnowledgeBase::CategoryCount)
            return QString();
        return m_kb.CategoryNames[missed.subject] + QStringLiteral(" (significance)");
    }
    if (missed.subject < 0 || missed.subject >= KnowledgeBase::VariationCount)
        return QString();
    const int k = m_kb.categoryOfVariation(missed.subject);
    const QString name = m_kb.VariationNames[missed.subject];
    return k >= 0 ? m_kb.CategoryNames[k] + QStringLiteral(": ") + name : name;
}

int MissedModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_missed.size());
}

int MissedModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MissedModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_missed.size()
        || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const TestHistory::Missed &missed = m_missed.at(index.row());
    switch (index.column()) {
    case Subject:
        return subjectName(missed);
    case Asked:
        return missed.asked;
    case Missed:
        return missed.missed;
    default:
        return {};
    }
}

QVariant MissedModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Subject:
        return QStringLiteral("Asked about");
    case Asked:
        return QStringLiteral("Asked");
    case Missed:
        return QStringLiteral("Missed");
    default:
        return {};
    }
}
