#include "lang/MessageTexts.h"

#include "lang/LanguageFile.h"

namespace kvx {

namespace {

struct Entry
{
    const char* key;
    const char* french;
};

// In the order of Msg.
constexpr std::array<Entry, size_t(Msg::Count)> kEntries{{
    {"ChooseFolder", "Choisissez un dossier"},
    {"OpenTitle", "Ouvrir"},
    {"SaveTitle", "Sauvegarder"},
    {"NotADocument", "Ce fichier n'est pas un arbre KVX, ou il est illisible :\n%1"},
    {"SaveFailed", "L'arbre n'a pas pu être enregistré dans :\n%1\n(%2)\n"
                   "Un document qui s'y trouvait déjà n'a pas été modifié."},
    {"UnsavedChanges", "L'arbre a des modifications qui ne sont pas enregistrées.\n"
                       "Voulez-vous les enregistrer ?"},
    {"PdfFilter", "Document PDF"},
    {"SaveJacketTitle", "Enregistrer la jaquette"},
    {"JacketSaved", "La jaquette a été enregistrée dans le fichier :\n%1"},
    {"EmptyTree", "L'arbre est vide : il n'y a rien à imprimer."},
    {"PrinterFailed",
     "L'impression a échoué : l'imprimante « %1 » n'a pas pu imprimer la jaquette."},
    {"PdfFailed", "L'impression a échoué : impossible d'écrire le fichier\n%1"},
    {"RowsLeftOut", "L'arbre montre %1 lignes, la jaquette n'en contient que %2 : "
                    "les %3 dernières lignes ne seront pas imprimées.\n"
                    "Imprimer les %2 premières lignes ?"},
    {"StartUnreadable", "Le dossier de départ ne peut pas être lu :\n%1"},
    {"EntriesLeftOut", "Des dossiers ou des fichiers n'ont pas été ajoutés à l'arbre :"},
    {"LeftOutBadNames", "%1 au nom illisible"},
    {"LeftOutTooLong", "%1 au chemin trop long"},
    {"LeftOutBeyondLimit", "%1 au-delà de la limite de 32 767 éléments"},
    {"LeftOutUnreadable", "%1 dont le contenu ne peut pas être lu"},
    {"WindowColour", "Attention vos fenêtres ne sont pas blanches sur votre système\n"
                     "Vos jaquettes adopterons cette couleur pour leur fond.\n"
                     "Veuillez modifier la couleur des fenêtres dans les réglages "
                     "d'apparence de votre bureau."},
    {"StartupError", "ERREUR n°%1 in xxxxxxxxxx"},
    {"IconFolderMissing", "Dossier introuvable : %1"},
    {"IconNotPicture", "Ce fichier n'est pas une image valide : %1"},
    {"IconKeyTaken", "Une image de clé « %1 » existe déjà."},
    {"EditPattern", "Fichiers \"%1\""},
    {"LanguageHowTo", "Traduisez ce fichier :\n\n%1\n\npuis enregistrez-le dans votre dossier "
                      "des langues :\n\n%2\n\nsous le nom de votre langue, par exemple "
                      "Deutsch.lng. Il apparaîtra dans le menu des langues au prochain "
                      "démarrage."},
    {"OpenFileMissing", "Ce fichier n'existe pas :\n%1"},
    {"OpenFolderMissing", "Le dossier de ce fichier n'existe pas :\n%1"},
    {"OpenNoApplication", "Aucune application de ce système n'ouvre ce genre de fichier :\n%1"},
    {"OpenNoOpener", "Le programme qui ouvre les fichiers avec l'application du bureau "
                     "(xdg-open) n'a pas pu être lancé pour ouvrir :\n%1"},
    {"OpenFailed", "L'ouverture a échoué :\n%1"},
    {"FindTitle", "Rechercher dans l'arbre"},
    {"FindPrompt", "Texte à rechercher dans les lignes de l'arbre :"},
    {"NotFound", "Aucune ligne de l'arbre ne contient « %1 »."},
    {"NoRecent", "(aucun)"},
    {"PrinterChoiceTitle", "Propriétés"},
    {"PrinterLabel", "Imprimante :"},
    {"PdfFileChoice", "Fichier PDF"},
    {"PdfFileLabel", "Fichier :"},
    {"BrowseFile", "Parcourir ..."},
    {"PageSetUp", "Page ..."},
    {"PreviewTitle", "Aperçu de la jaquette"},
    {"PreviewLeftOut", "L'arbre montre %1 lignes, la jaquette n'en contient que %2 : "
                       "les %3 dernières lignes ne sont pas imprimées."},
    {"SizesFiles", "(%1 fichiers, %2)"},
    {"SizesOneFile", "(%1 fichier, %2)"},
    {"SizesEmpty", "(vide)"},
    {"SizeUnits", "o ko Mo Go To"},
    {"DecimalSeparator", ","},
    {"ThousandsSeparator", "\u00a0"}, // a space the line never breaks at
    {"SizesProgress", "Tailles : %1 dossiers, %2 fichiers lus ..."},
    {"ExportTitle", "Exporter l'arbre"},
    {"ExportFailed", "L'arbre n'a pas pu être exporté dans :\n%1\n(%2)\n"
                     "Un fichier qui s'y trouvait déjà n'a pas été modifié."},
    {"ExportUnknownFormat", "le nom du fichier doit finir par .json, .csv, .html ou .md"},
    {"DiscTitlePrompt", "Titre du disque (vide : le nom du dossier ou du volume) :"},
    {"DiscIdPrompt", "Ligne sous le titre (par exemple « Sauvegarde n° 12 ») :"},
    {"CoverDoesNotFit", "Le modèle « %1 » ne tient pas sur le papier %2."},
    {"HitColumns", "Nom|Taille|Modifié le"},
    {"DiscColumns", "Disque|Nom|Note|Date|Éléments|Taille"},
    {"HitsFound", "%1 résultats"},
    {"HitsLimited", "Les %1 premiers résultats"},
    {"NoHits", "Aucun résultat"},
    {"NoteTitle", "Note du disque"},
    {"NotePrompt", "Note du disque %1 (%2) :"},
    {"RemoveDisc", "Retirer le disque %1 (%2) du catalogue ?"},
    {"CatalogueFailed", "Le catalogue ne peut pas être lu ou modifié :\n%1"},
    {"ImageFilter", "Image disque ISO"},
    {"OpenImageTitle", "Ouvrir une image disque"},
    {"ImageFailed", "L'image disque ne peut pas être lue :\n%1\n(%2)"},
    {"NoDiscToCatalogue", "Il n'y a pas de disque à cataloguer : commencez d'abord l'arbre depuis "
                          "un dossier ou une image disque."},
    {"CatalogueDiscTitle", "Cataloguer ce disque"},
    {"DiscNamePrompt", "Nom du disque %1 :"},
    {"DiscNotePrompt", "Note (où ranger ce disque, par exemple) :"},
    {"ReplaceDisc",
     "Ce disque est déjà dans le catalogue : %1 (%2).\nRemplacer son enregistrement ?"},
    {"ReadingDisc", "Lecture du disque : %1 dossiers, %2 fichiers ..."},
    {"RecordingDisc", "Enregistrement dans le catalogue ..."},
    {"DiscCatalogued", "Le disque est enregistré dans le catalogue sous %1 (%2 éléments)."},
    {"DiscUnreadableFolders",
     "\n%1 dossiers n'ont pas pu être lus : ils sont enregistrés comme illisibles."},
}};

} // namespace

MessageTexts::MessageTexts()
{
    for (size_t i = 0; i < kEntries.size(); ++i)
        m_texts.at(i) = QString::fromUtf8(kEntries.at(i).french);
}

QString MessageTexts::key(Msg id)
{
    return QString::fromLatin1(kEntries.at(size_t(id)).key);
}

void MessageTexts::apply(const LanguageFile& file)
{
    const QString section = QString::fromLatin1(Section);
    for (size_t i = 0; i < m_texts.size(); ++i) {
        QString& text = m_texts.at(i);
        text = file.ReadTranslation(section, QString::fromLatin1(kEntries.at(i).key), text)
                   .replace(QLatin1String("\\n"), QLatin1String("\n"));
    }
}

} // namespace kvx
