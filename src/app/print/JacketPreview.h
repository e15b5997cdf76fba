#pragma once

#include <QDialog>
#include <QImage>
#include <QPageLayout>

class QLabel;
class QScrollArea;

namespace kvx {

class JacketPage;
class MessageTexts;

// "Aperçu ...": the page as the printer gets it, drawn by the same code in
// the same colours (grey when the print is), on the printer's paper, zoomed
// so that the 12 cm jacket fills the view. Above it, how many rows are left
// out when the tree shows more than the jacket holds. Accepted when the user
// asks to print it.
class JacketPreview : public QDialog
{
    Q_OBJECT

public:
    JacketPreview(const JacketPage& page, const QPageLayout& paper, const QString& printCaption,
                  const MessageTexts& texts, QWidget* owner);

    // The whole sheet of paper with the page printed on it, at `dotsPerInch`.
    [[nodiscard]] static QImage sheet(const JacketPage& page, const QPageLayout& paper,
                                      double dotsPerInch);

    // What the preview shows, and at what resolution.
    [[nodiscard]] const QImage& shown() const { return m_shown; }
    [[nodiscard]] double dotsPerInch() const { return m_dpi; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPageLayout m_paper;
    QScrollArea* m_scroll = nullptr;
    QImage m_shown;
    double m_dpi = 96;
};

} // namespace kvx
