#include "ContactSheet.h"
#include "Random.h"
#include "Samples.h"
#include "Writer.h"

#include "knowledge/KnowledgeBase.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

namespace {

// Each picture is drawn for screens of one, two and three device pixels per
// pixel, named as Qt looks for them: "01 margin_1.jpg", "01 margin_1@2x.jpg"
// and "01 margin_1@3x.jpg". Denser screens hide more of the JPEG's loss.
constexpr int MaxScale = 3;
constexpr int Quality[MaxScale] = { 90, 84, 78 };
// The contact sheet shows the pictures as a screen of scale 2 does.
constexpr int SheetScale = 2;

QString scaledName(const QString &key, int scale)
{
    if (scale == 1)
        return key;
    const int dot = int(key.lastIndexOf(QLatin1Char('.')));
    return key.left(dot) + QStringLiteral("@%1x").arg(scale) + key.mid(dot);
}

// Draws every picture at every scale into `folder`, keeping those for the
// contact sheet.
bool drawAll(const KnowledgeBase &knowledge, const QString &folder, QVector<QImage> *pictures,
    QTextStream &err)
{
    for (int position = 1; position <= KnowledgeBase::PictureCount; ++position) {
        const int variation = position - 1;
        const int category = knowledge.categoryOfVariation(variation);
        const int rank = variation - knowledge.FirstVariation[category] + 1;
        const QString key = KnowledgeBase::pictureKey(position);
        for (int scale = 1; scale <= MaxScale; ++scale) {
            // One writer for each category, one sheet of paper for each picture.
            const Sample sample { seedFromKey(key),
                seedFromKey(KnowledgeBase::categoryStem(category)), scale };
            const QImage picture = drawSample(category, rank, sample);
            QImageWriter writer(QDir(folder).filePath(scaledName(key, scale)), "jpg");
            writer.setQuality(Quality[scale - 1]);
            writer.setOptimizedWrite(true);
            if (!writer.write(picture)) {
                err << "Cannot write " << writer.fileName() << ": " << writer.errorString() << '\n';
                return false;
            }
            if (scale == SheetScale)
                pictures->append(picture);
        }
    }
    return true;
}

} // namespace

// Draws the sample pictures of handwriting that the program carries, one
// JPEG per picture key and scale, and optionally a contact sheet of all of
// them.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    const QStringList args = app.arguments().mid(1);
    QString folder, sheet;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sheet") && i + 1 < args.size())
            sheet = args[++i];
        else if (folder.isEmpty() && !args[i].startsWith(QLatin1String("--")))
            folder = args[i];
        else
            folder.clear(), i = int(args.size());
    }
    if (folder.isEmpty()) {
        err << "usage: quillmere-picturegen <output-folder> [--sheet <png-path>]\n";
        return 2;
    }
    const QString fontError = Writer::loadFont();
    if (!fontError.isEmpty()) {
        err << fontError << '\n';
        return 1;
    }
    if (!QDir().mkpath(folder)) {
        err << "Cannot create " << folder << '\n';
        return 1;
    }

    KnowledgeBase knowledge;
    knowledge.LoadKnowledgeBase();
    QVector<QImage> pictures;
    if (!drawAll(knowledge, folder, &pictures, err))
        return 1;

    if (!sheet.isEmpty() && !writeContactSheet(knowledge, pictures, sheet)) {
        err << "Cannot write " << sheet << '\n';
        return 1;
    }
    return 0;
}
