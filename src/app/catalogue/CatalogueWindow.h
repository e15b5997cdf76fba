#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace kvx {

class Catalogue;
class DialogService;
class MessageTexts;

// "Catalogue": a window of its own, not modal, over the catalogue of discs.
// Hits appear as the user types (after a short pause), grouped by disc; the
// list of discs below lets the user change a disc's note or remove a disc.
// Opening a hit (Enter or a double click) asks the main window to show that
// disc's tree. Every control carries its program name as objectName: the
// language files address them in the section [frCatalogue].
class CatalogueWindow : public QWidget
{
    Q_OBJECT

public:
    // Hits shown for one search at most.
    static constexpr int MaxHits = 200;
    // The pause after a keystroke before the search runs, in milliseconds.
    static constexpr int TypingPause = 250;

    CatalogueWindow(const QString& cataloguePath, DialogService& dialogs, const MessageTexts& texts,
                    QWidget* parent);
    ~CatalogueWindow() override;

    [[nodiscard]] QTreeWidget* hits() const { return m_lstHits; }
    [[nodiscard]] QTreeWidget* discs() const { return m_lstDiscs; }

public Q_SLOTS:
    // Reads the catalogue again: the discs, then the hits of the text typed.
    void refresh();
    // Runs the search of the text typed now.
    void search();
    // Texts that follow the language: column titles and accessible names.
    void retranslate();

Q_SIGNALS:
    // A hit opened: the disc's number and the path of the entry on it ("/a/b").
    void hitOpened(qint64 disc, const QString& path, bool folder);
    // A search has run and shows its hits.
    void searched();

private:
    void createControls();
    void showDiscs();
    void openItem(QTreeWidgetItem* item);
    void cmdNote_Click();
    void cmdRemove_Click();
    [[nodiscard]] qint64 selectedDisc() const;
    void showError(const QString& error);
    // A catalogue to write, or null after saying why.
    [[nodiscard]] std::unique_ptr<Catalogue> openToWrite();

    QString m_path;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;
    std::unique_ptr<Catalogue> m_catalogue;
    QTimer* m_pause = nullptr;
    QLabel* m_lblSearch = nullptr;
    QLineEdit* m_txtSearch = nullptr;
    QTreeWidget* m_lstHits = nullptr;
    QLabel* m_lblStatus = nullptr;
    QLabel* m_lblDiscs = nullptr;
    QTreeWidget* m_lstDiscs = nullptr;
    QPushButton* m_cmdNote = nullptr;
    QPushButton* m_cmdRemove = nullptr;
    QPushButton* m_cmdClose = nullptr;
};

} // namespace kvx
