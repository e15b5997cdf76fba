#include "tree/ImageRegistry.h"

namespace kvx {

ImageRegistry ImageRegistry::withBuiltIns()
{
    ImageRegistry list;
    for (int i = 1; i < image::BlankPage; ++i)
        list.add();
    list.add(QString::fromLatin1(image::BlankPageKey));
    return list;
}

bool ImageRegistry::add(const QString& key)
{
    if (!key.isEmpty() && hasKey(key))
        return false;
    m_keys.append(key);
    return true;
}

bool ImageRegistry::hasKey(const QString& key) const
{
    return indexOfKey(key) > 0;
}

int ImageRegistry::indexOfKey(const QString& key) const
{
    if (key.isEmpty())
        return 0;
    return int(m_keys.indexOf(key)) + 1;
}

QString ImageRegistry::keyAt(int position) const
{
    return position >= 1 && position <= count() ? m_keys.at(position - 1) : QString();
}

int ImageRegistry::positionOf(const ImageRef& ref) const
{
    if (ref.isNumber())
        return ref.number() >= 1 && ref.number() <= count() ? ref.number() : 0;
    if (ref.isKey())
        return indexOfKey(ref.key());
    return 0;
}

} // namespace kvx
