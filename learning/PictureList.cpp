#include "learning/PictureList.h"

#include "knowledge/KnowledgeBase.h"

#include <QPixmapCache>

#include <algorithm>
#include <cmath>

#ifdef QUILLMERE_HAS_PICTURES
// The pictures are an object file of their own; naming their initialiser here
// keeps the linker from dropping them out of the static library.
static void initPictureResources()
{
    Q_INIT_RESOURCE(pictures);
}
#else
static void initPictureResources() { }
#endif

PictureList::PictureList()
{
    static const bool initialised = [] {
        initPictureResources();
        return true;
    }();
    Q_UNUSED(initialised);
}

int PictureList::drawingFor(qreal scale)
{
    // A hair over a whole scale (rounding in a device pixel ratio) does not
    // call for the next drawing.
    const int needed = static_cast<int>(std::ceil(scale - 0.01));
    return std::clamp(needed, 1, 3);
}

QPixmap PictureList::picture(int position, qreal scale) const
{
    QString path = KnowledgeBase::picturePath(position);
    if (path.isEmpty())
        return {};
    const int drawing = drawingFor(scale);
    if (drawing > 1)
        path.insert(path.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(drawing));
    QPixmap pixmap;
    if (!QPixmapCache::find(path, &pixmap)) {
        if (!pixmap.load(path))
            return {};
        pixmap.setDevicePixelRatio(drawing);
        QPixmapCache::insert(path, pixmap);
    }
    return pixmap;
}

int PictureList::count()
{
    return KnowledgeBase::PictureCount;
}
