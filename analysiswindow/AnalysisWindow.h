#pragma once

#include "analysis/PageAnalysis.h"
#include "knowledge/KnowledgeBase.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class Platform;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;
class QVBoxLayout;

// The window that measures a page of the learner's own handwriting: it opens
// a picture (from the file dialog or dropped on it), analyses it away from
// the interface thread, and shows the page with what was found drawn on it
// beside one row per category. Each row links to that category's learning
// pages; the window asks for them by `learnRequested`.
class AnalysisWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit AnalysisWindow(Platform &platform, QWidget *parent = nullptr);
    ~AnalysisWindow() override;
    Q_DISABLE_COPY_MOVE(AnalysisWindow)

    // Asks the user for a picture and analyses it; nothing happens when the
    // user chooses none or an analysis is under way.
    void chooseFile();
    // Analyses `file` unless an analysis is under way; returns whether it
    // started.
    bool analyse(const QString &file);
    void cancel();
    bool isBusy() const;

    // The outcome of the last analysis that ended.
    const PageAnalysis::Result &result() const { return m_result; }

    // How a row's link names its page: "learn:category:variation", the
    // variation -1 for the category's first.
    static QString learnLink(int category, int variation);

    // Runs on the worker thread before each analysis reads its file; tests
    // hold an analysis there to cancel it or close the window first.
    void setBeforeAnalysis(std::function<void()> hook) { m_beforeAnalysis = std::move(hook); }

signals:
    // The learner asked to learn variation `variation` of `category`, or the
    // category from its first variation when `variation` is -1.
    void learnRequested(int category, int variation);
    // An analysis ended, whatever its outcome.
    void analysisEnded();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct Job;

    void buildWindow();
    QWidget *buildHeader();
    QWidget *buildBusyBar();
    void setBusy(bool busy);
    void analysisFinished();
    void showAnalysed(const QString &name);
    void showPage(const QImage &page);
    void showFindings();
    void clearRows();
    QWidget *measuredRow(const PageAnalysis::Finding &finding);
    QWidget *lookRow(int category);
    QWidget *row(int category, int picture, const QString &html);
    void followLink(const QString &link);
    void stopWorker();

    Platform &m_platform;
    KnowledgeBase m_kb;
    PageAnalysis::Result m_result;
    std::shared_ptr<Job> m_job;
    QPointer<QThread> m_worker;
    std::function<void()> m_beforeAnalysis;

    QLabel *m_status = nullptr;
    QLabel *m_page = nullptr;
    QVBoxLayout *m_rows = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_cancel = nullptr;
};
