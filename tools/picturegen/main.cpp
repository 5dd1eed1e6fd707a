#include "ContactSheet.h"
#include "Random.h"
#include "Samples.h"
#include "Writer.h"

#include "knowledge/KnowledgeBase.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

// Draws the sample pictures of handwriting that the program carries, one
// JPEG per picture key, and optionally a contact sheet of all of them.
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
    for (int position = 1; position <= KnowledgeBase::PictureCount; ++position) {
        const int variation = position - 1;
        const int category = knowledge.categoryOfVariation(variation);
        const int rank = variation - knowledge.FirstVariation[category] + 1;
        const QString key = KnowledgeBase::pictureKey(position);
        const QImage picture = drawSample(category, rank, seedFromKey(key));
        QImageWriter writer(QDir(folder).filePath(key), "jpg");
        writer.setQuality(90);
        if (!writer.write(picture)) {
            err << "Cannot write " << writer.fileName() << ": " << writer.errorString() << '\n';
            return 1;
        }
        pictures.append(picture);
    }

    if (!sheet.isEmpty() && !writeContactSheet(knowledge, pictures, sheet)) {
        err << "Cannot write " << sheet << '\n';
        return 1;
    }
    return 0;
}
