#include "analysiswindow/AnalysisWindow.h"

#include "analysiswindow/PageDrawing.h"
#include "core/ProgramText.h"
#include "learning/PictureList.h"
#include "shell/Platform.h"
#include "shell/ProgramIcon.h"
#include "widgets/Widgets.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QThread>
#include <QVBoxLayout>

#include <atomic>
#include <cmath>

using namespace PageAnalysis;

namespace {

// The page is shown at this size at most, in pixels.
constexpr int PageWidth = 420;
constexpr int PageHeight = 594;
// The sample picture of a row.
constexpr int SampleWidth = 150;
// The first category that a page cannot show: every one from here on is
// left to the learner's eye.
constexpr int FirstUnmeasured = 6;

// Texts made when the window is, so that nothing of it runs at start-up.
QString measurementsText()
{
    return QStringLiteral(
        "These are measurements of your page, not judgements of you: graphology reads each of them "
        "as a tendency, one sign among many, never as a certainty about the writer.");
}

QString invitationText()
{
    return QStringLiteral(
        "Open a scan or a photo of a page of your own handwriting (dark ink on light paper; PNG, "
        "JPEG, TIFF or BMP), or drop the file on this window.");
}

QString figureText(const Measure &measure)
{
    QString name = measure.name;
    name.replace(QStringLiteral("_pct"), QStringLiteral(" %"));
    name.replace(QStringLiteral("_deg"), QStringLiteral(" (degrees)"));
    name.replace(QStringLiteral("_x"), QStringLiteral(" (x-heights)"));
    name.replace(QStringLiteral("_mm"), QStringLiteral(" (mm)"));
    name.replace(QLatin1Char('_'), QLatin1Char(' '));
    // Counts stand whole; measures with one decimal.
    const bool whole = std::abs(measure.value - std::round(measure.value)) < 1e-9;
    QString value
        = whole ? QString::number(qRound64(measure.value)) : QString::number(measure.value, 'f', 1);
    if (!measure.known)
        value = QStringLiteral("not shown");
    return name + QStringLiteral(" ") + value;
}

QString linkHtml(const QString &link, const QString &caption)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(link, caption.toHtmlEscaped());
}

} // namespace

// One analysis: what the worker thread reads and writes. The window and the
// worker share it, so either may be gone first.
struct AnalysisWindow::Job
{
    QString file;
    std::atomic<bool> cancelled { false };
    Result result;
    QImage shown;
};

AnalysisWindow::AnalysisWindow(Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window), m_platform(platform)
{
    m_kb.LoadKnowledgeBase();
    buildWindow();
    nameForScreenReaders(this);
}

AnalysisWindow::~AnalysisWindow()
{
    stopWorker();
}

void AnalysisWindow::stopWorker()
{
    if (m_worker == nullptr)
        return;
    m_job->cancelled = true;
    m_worker->disconnect(this);
    m_worker->wait();
    delete m_worker.data();
}

void AnalysisWindow::buildWindow()
{
    setObjectName(QStringLiteral("frmAnalysis"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setPalette(lightPalette());
    setAutoFillBackground(true);
    setWindowTitle(QStringLiteral("Analyse My Handwriting - ") + ProgramText::Title);
    setWindowIcon(programIcon());
    setFont(verdana(8.25));
    setAcceptDrops(true);

    m_page = new QLabel(this);
    m_page->setObjectName(QStringLiteral("picPage"));
    m_page->setFixedSize(PageWidth, PageHeight);
    m_page->setAlignment(Qt::AlignCenter);
    m_page->setFrameShape(QFrame::StyledPanel);
    m_page->setAccessibleName(QStringLiteral("The page with what was found on it"));

    auto *list = new QWidget;
    list->setObjectName(QStringLiteral("lstFindings"));
    m_rows = new QVBoxLayout(list);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrFindings"));
    scroll->setWidgetResizable(true);
    scroll->setWidget(list);
    scroll->setMinimumWidth(520);

    auto *body = new QHBoxLayout;
    body->addWidget(m_page, 0, Qt::AlignTop);
    body->addWidget(scroll, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader());
    layout->addLayout(body, 1);
    layout->addWidget(buildBusyBar());
    setBusy(false);
    resize(1000, 720);
}

QWidget *AnalysisWindow::buildHeader()
{
    auto *header = new QWidget(this);
    auto *about = new QLabel(measurementsText(), header);
    about->setObjectName(QStringLiteral("lblMeasurements"));
    about->setWordWrap(true);
    about->setFont(verdana(8.25, true));
    m_status = new QLabel(invitationText(), header);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setWordWrap(true);
    m_open = new QPushButton(QStringLiteral("&Open a Picture..."), header);
    m_open->setObjectName(QStringLiteral("cmdOpen"));
    connect(m_open, &QPushButton::clicked, this, &AnalysisWindow::chooseFile);

    auto *texts = new QVBoxLayout;
    texts->addWidget(about);
    texts->addWidget(m_status);
    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(texts, 1);
    layout->addWidget(m_open, 0, Qt::AlignTop);
    return header;
}

QWidget *AnalysisWindow::buildBusyBar()
{
    auto *bar = new QWidget(this);
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("prgBusy"));
    m_progress->setRange(0, 100);
    m_progress->setAccessibleName(QStringLiteral("Analysing"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), bar);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(m_cancel, &QPushButton::clicked, this, &AnalysisWindow::cancel);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_progress, 1);
    layout->addWidget(m_cancel);
    return bar;
}

void AnalysisWindow::setBusy(bool busy)
{
    m_progress->setVisible(busy);
    m_cancel->setVisible(busy);
    m_cancel->setEnabled(busy);
    m_open->setEnabled(!busy);
    if (busy)
        m_progress->setValue(0);
}

bool AnalysisWindow::isBusy() const
{
    return m_worker != nullptr;
}

QString AnalysisWindow::learnLink(int category, int variation)
{
    return QStringLiteral("learn:%1:%2").arg(category).arg(variation);
}

void AnalysisWindow::chooseFile()
{
    if (isBusy())
        return;
    const QString file = m_platform.choosePictureFile(this);
    if (!file.isEmpty())
        analyse(file);
}

bool AnalysisWindow::analyse(const QString &file)
{
    if (isBusy())
        return false;
    auto job = std::make_shared<Job>();
    job->file = file;
    m_job = job;
    // The window waits for the worker before its bar goes.
    QProgressBar *progress = m_progress;
    m_worker = QThread::create([job, progress, before = m_beforeAnalysis] {
        if (before)
            before();
        Options options;
        options.cancelled = [job] { return job->cancelled.load(); };
        options.progress = [progress](int percent) {
            QMetaObject::invokeMethod(
                progress, [progress, percent] { progress->setValue(percent); },
                Qt::QueuedConnection);
        };
        job->result = analyseFile(job->file, options);
        if (job->result.outcome == Outcome::Analysed)
            job->shown = PageDrawing::readShown(job->file, QSize(PageWidth, PageHeight) * 3);
    });
    connect(m_worker, &QThread::finished, this, &AnalysisWindow::analysisFinished);
    m_status->setText(QStringLiteral("Analysing %1 ...").arg(QFileInfo(file).fileName()));
    m_page->clear();
    clearRows();
    setBusy(true);
    m_worker->start();
    return true;
}

void AnalysisWindow::cancel()
{
    if (m_job && isBusy()) {
        m_job->cancelled = true;
        m_cancel->setEnabled(false);
        m_status->setText(QStringLiteral("Cancelling ..."));
    }
}

void AnalysisWindow::analysisFinished()
{
    m_worker->wait();
    delete m_worker.data();
    setBusy(false);
    m_result = m_job->result;
    const QString name = QFileInfo(m_job->file).fileName();
    switch (m_result.outcome) {
    case Outcome::Analysed:
        showAnalysed(name);
        break;
    case Outcome::Unreadable:
        m_status->setText(QStringLiteral("%1 cannot be read as a picture (%2). Please choose a "
                                         "PNG, JPEG, TIFF or BMP picture.")
                              .arg(name, m_result.message));
        break;
    case Outcome::NoWriting:
        m_status->setText(QStringLiteral("No handwriting was found in %1. Please choose a picture "
                                         "of a page written in dark ink on light paper.")
                              .arg(name));
        break;
    case Outcome::Cancelled:
        m_status->setText(QStringLiteral("The analysis of %1 was cancelled.").arg(name));
        break;
    }
    m_job.reset();
    emit analysisEnded();
}

void AnalysisWindow::showAnalysed(const QString &name)
{
    const QImage &shown = m_job->shown;
    const qreal linePixels
        = qMax(1.0, qMax(qreal(shown.width()) / PageWidth, qreal(shown.height()) / PageHeight));
    showPage(PageDrawing::drawFindings(shown, m_result, linePixels));
    m_status->setText(QStringLiteral("%1: %2 lines of writing, measured below. On the page, red "
                                     "lines are baselines, orange boxes words and the green "
                                     "frame the margins.")
                          .arg(name)
                          .arg(m_result.lines.size()));
    showFindings();
}

void AnalysisWindow::showPage(const QImage &page)
{
    // Read at up to three times the size shown, for screens of every scale.
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(page.scaled(
        QSize(PageWidth, PageHeight) * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    m_page->setPixmap(pixmap);
}

void AnalysisWindow::clearRows()
{
    while (QLayoutItem *item = m_rows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

void AnalysisWindow::showFindings()
{
    clearRows();
    for (const Finding &finding : std::as_const(m_result.findings))
        m_rows->addWidget(measuredRow(finding));
    auto *heading = new QLabel(
        QStringLiteral("A page cannot show these: look for yourself in your writing."));
    heading->setObjectName(QStringLiteral("lblLookForYourself"));
    heading->setFont(verdana(8.25, true));
    m_rows->addWidget(heading);
    for (int c = FirstUnmeasured; c < KnowledgeBase::CategoryCount; ++c)
        m_rows->addWidget(lookRow(c));
    m_rows->addStretch(1);
    // Shown at once, not only when the layout gets round to it.
    for (int i = 0; i < m_rows->count(); ++i) {
        if (QWidget *widget = m_rows->itemAt(i)->widget())
            widget->show();
    }
}

QWidget *AnalysisWindow::measuredRow(const Finding &finding)
{
    const int c = finding.category;
    const int v = finding.variation;
    QString html = QStringLiteral("<b>%1</b>: ").arg(m_kb.CategoryNames[size_t(c)].toHtmlEscaped());
    if (v >= 0)
        html += QStringLiteral("<b>%1</b>%2")
                    .arg(m_kb.VariationNames[size_t(v)].toHtmlEscaped(),
                        finding.sure
                            ? QString()
                            : QStringLiteral(" (not sure: near a border, or widely spread)"));
    else
        html += QStringLiteral("none of its variations fits");
    html += QStringLiteral("<br>") + finding.note.toHtmlEscaped();
    QStringList figures;
    for (const Measure &measure : finding.measures)
        figures << figureText(measure);
    html += QStringLiteral("<br><small>%1</small>").arg(figures.join(QStringLiteral("; ")));
    if (v >= 0)
        html += QStringLiteral("<br><i>%1</i>").arg(m_kb.InterpretationTexts[size_t(v)]);
    const QString learn = v >= 0 ? m_kb.VariationNames[size_t(v)] : m_kb.CategoryNames[size_t(c)];
    html += QStringLiteral("<br>")
        + linkHtml(learnLink(c, v), QStringLiteral("Learn about %1").arg(learn));
    return row(c, v >= 0 ? v + 1 : m_kb.FirstPicture[size_t(c)], html);
}

QWidget *AnalysisWindow::lookRow(int category)
{
    const QString name = m_kb.CategoryNames[size_t(category)];
    const QString html
        = QStringLiteral("<b>%1</b>: look for yourself<br>").arg(name.toHtmlEscaped())
        + linkHtml(learnLink(category, -1), QStringLiteral("Learn %1").arg(name));
    return row(category, -1, html);
}

QWidget *AnalysisWindow::row(int category, int picture, const QString &html)
{
    auto *frame = new QFrame;
    frame->setObjectName(QStringLiteral("finding%1").arg(category));
    frame->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QHBoxLayout(frame);
    if (picture > 0) {
        auto *sample = new QLabel(frame);
        sample->setObjectName(QStringLiteral("picSample%1").arg(category));
        // Sharp on screens of every scale: drawn at the screen's pixels.
        const qreal ratio = devicePixelRatioF();
        QPixmap pixmap = PictureList().picture(picture).scaledToWidth(
            qRound(SampleWidth * ratio), Qt::SmoothTransformation);
        pixmap.setDevicePixelRatio(ratio);
        sample->setPixmap(pixmap);
        sample->setAlignment(Qt::AlignTop);
        layout->addWidget(sample, 0, Qt::AlignTop);
    }
    auto *text = new QLabel(html, frame);
    text->setObjectName(QStringLiteral("lblFinding%1").arg(category));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(text, &QLabel::linkActivated, this, &AnalysisWindow::followLink);
    layout->addWidget(text, 1);
    return frame;
}

void AnalysisWindow::followLink(const QString &link)
{
    const QStringList parts = link.split(QLatin1Char(':'));
    if (parts.size() != 3 || parts[0] != QStringLiteral("learn"))
        return;
    bool categoryOk = false;
    bool variationOk = false;
    const int category = parts[1].toInt(&categoryOk);
    const int variation = parts[2].toInt(&variationOk);
    if (categoryOk && variationOk)
        emit learnRequested(category, variation);
}

void AnalysisWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!isBusy() && !urls.isEmpty() && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void AnalysisWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile() && analyse(urls.first().toLocalFile()))
        event->acceptProposedAction();
}
