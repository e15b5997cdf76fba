#include "tree/FileCategories.h"

namespace kvx {

FileCategories::FileCategories()
    : m_boxes{{
          {QStringLiteral("Ajouter &tous les fichiers"), QString(), QStringLiteral("*.*")},
          {QStringLiteral("pro&g"), QStringLiteral("*.exe;*.com"), QString()},
          {QStringLiteral("txt &doc xls"), QStringLiteral("*.doc;*.xls;*.txt;*.pdf"), QString()},
          {QStringLiteral("&html"), QStringLiteral("*.htm;*.html;*.chm"), QString()},
          {QStringLiteral("&images"), QStringLiteral("*.gif;*.jpg;*.bmp;*.tiff;*.png"), QString()},
          {QStringLiteral("so&ns"), QStringLiteral("*.wav;*.mp3;*.mid"), QString()},
          {QStringLiteral("&Videos"), QStringLiteral("*.avi;*.mpg;*.divx"), QString()},
          {QStringLiteral("&Archives"), QStringLiteral("*.zip;*.ace;*.rar;*.cab"), QString()},
          {QStringLiteral("a&utres"), QStringLiteral("*.nfo"), QString()},
      }}
{
}

void FileCategories::setCaption(int index, const QString& caption)
{
    m_boxes.at(size_t(index)).caption = caption;
}

void FileCategories::setPattern(int index, const QString& pattern)
{
    m_boxes.at(size_t(index)).pattern = pattern;
}

void FileCategories::setChecked(int index, bool checked)
{
    m_boxes.at(size_t(index)).checked = checked;
    if (index == AllFiles) {
        for (int i = 1; i < Count; ++i) {
            m_boxes[size_t(i)].checked = checked;
            m_boxes[size_t(i)].enabled = !checked;
        }
    }
    rebuildActivePattern();
}

void FileCategories::rebuildActivePattern()
{
    if (m_boxes[AllFiles].checked) {
        m_activePattern = QStringLiteral("*.*");
        return;
    }
    m_activePattern.clear();
    for (int i = 1; i < Count; ++i) {
        if (m_boxes[size_t(i)].checked)
            m_activePattern += QLatin1Char(';') + m_boxes[size_t(i)].pattern;
    }
}

void FileCategories::applyEditedPattern(int index, const QString& answer)
{
    Box& edited = m_boxes.at(size_t(index));
    edited.pattern = answer.isEmpty() ? edited.defaultPattern : answer;
}

} // namespace kvx
