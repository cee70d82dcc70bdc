// The message tables in Spanish, Portuguese, French, German, English and Italian, the fixed texts
// that are never translated, and the six-language registration offer.
#include "ui/Messages.h"

#include <array>
#include <vector>

namespace {

// One entry per language, in language-index order: es, pt, fr, de, en, it.
using Entry = std::array<std::u16string_view, kLanguageCount>;

struct Item {
    int number; // 0 for a table by language only
    Entry texts;
};

struct TableDefinition {
    MessageTable table;
    int width;
    std::vector<Item> items;
};

// Listed in the order of MessageTable, so a table's definition sits at its enum value.
const std::vector<TableDefinition>& Definitions() {
    using T = MessageTable;
    static const std::vector<TableDefinition> tables = {
        {T::Caption,
         100,
         {{0,
           {u"Programador", u"Programador", u"Programmeur", u"Programmierer", u"Programmer",
            u"Programmatore"}}}},
        {T::OperationsMenu,
         100,
         {
             {1, {u"Operaciones", u"Operações", u"Opérations", u"Operationen", u"Operations", u"Operazioni"}},
             {2, {u"Nuevo", u"Novo", u"Nouveau", u"Neu", u"New", u"Nuovo"}},
             {3,
              {u"Leer fichero", u"Ler arquivo", u"Lire le fichier", u"Datei lesen", u"Read file",
               u"Leggi file"}},
             {4,
              {u"Leer Formato Anterior", u"Ler Formato Anterior", u"Lire Format Précédent",
               u"Vorheriges Format lesen", u"Read Format Previous", u"Leggi Formato Precedente"}},
             {5,
              {u"Grabar fichero", u"Gravar arquivo", u"Enregistrer le fichier", u"Datei speichern",
               u"Record file", u"Salva file"}},
             {7,
              {u"Exportar a Bitmap cortado", u"Exportar para Bitmap recortado", u"Exporter en Bitmap rogné",
               u"Als zugeschnittene Bitmap exportieren", u"Bitmap Export to cut",
               u"Esporta in Bitmap ritagliata"}},
             {9, {u"Autor", u"Autor", u"Auteur", u"Autor", u"Author", u"Autore"}},
             {10,
              {u"Salir del programa", u"Sair do programa", u"Quitter le programme", u"Programm beenden",
               u"Exit the program", u"Esci dal programma"}},
             {11,
              {u"Exportar a JPEG cortado", u"Exportar para JPEG recortado", u"Exporter en JPEG rogné",
               u"Als zugeschnittenes JPEG exportieren", u"Export to cut JPEG",
               u"Esporta in JPEG ritagliato"}},
         }},
        {T::EditMenu,
         100,
         {
             {1, {u"Editar", u"Editar", u"Édition", u"Bearbeiten", u"Edit", u"Modifica"}},
             {2,
              {u"Copiar celda", u"Copiar célula", u"Copier la cellule", u"Zelle kopieren", u"Copy cell",
               u"Copia cella"}},
             {3,
              {u"Pegar en celda", u"Colar na célula", u"Coller dans la cellule", u"In Zelle einfügen",
               u"Paste cell", u"Incolla nella cella"}},
             {4,
              {u"Borrar celda", u"Apagar célula", u"Effacer la cellule", u"Zelle löschen", u"Clear cell",
               u"Cancella cella"}},
             {5,
              {u"Seleccionar todo", u"Selecionar tudo", u"Tout sélectionner", u"Alles auswählen",
               u"Select all", u"Seleziona tutto"}},
             {6, {u"Deshacer", u"Desfazer", u"Annuler", u"Rückgängig", u"Undo", u"Annulla"}},
             {7, {u"Rehacer", u"Refazer", u"Rétablir", u"Wiederholen", u"Redo", u"Ripeti"}},
         }},
        {T::MouseMenu,
         100,
         {
             {1, {u"Ratón", u"Mouse", u"Souris", u"Maus", u"Mouse", u"Mouse"}},
             {2, {u"Izquierda", u"Esquerdo", u"Gauche", u"Links", u"Left", u"Sinistro"}},
             {3,
              {u"Selector de celda", u"Seletor de célula", u"Sélecteur de cellule", u"Zellenauswahl",
               u"Cell selector", u"Selettore di cella"}},
             {4,
              {u"Editar Texto y Colores", u"Editar Texto e Cores", u"Modifier Texte et Couleurs",
               u"Text und Farben bearbeiten", u"Edit Text and Colors", u"Modifica Testo e Colori"}},
             {5,
              {u"Insertar Imagen", u"Inserir Imagem", u"Insérer une Image", u"Bild einfügen", u"Insert image",
               u"Inserisci Immagine"}},
             {6, {u"Derecha", u"Direito", u"Droite", u"Rechts", u"Right", u"Destro"}},
             {7,
              {u"Captar Color", u"Capturar Cor", u"Capturer la Couleur", u"Farbe aufnehmen",
               u"Capturing Color", u"Cattura Colore"}},
             {8,
              {u"Mis Colores Favoritos", u"Minhas Cores Favoritas", u"Mes Couleurs Favorites",
               u"Meine Lieblingsfarben", u"My Favorite Colors", u"I Miei Colori Preferiti"}},
             {9,
              {u"Insertar Icono", u"Inserir Ícone", u"Insérer une Icône", u"Symbol einfügen", u"Insert Icon",
               u"Inserisci Icona"}},
         }},
        {T::TableMenu,
         100,
         {
             {1, {u"Tabla", u"Tabela", u"Tableau", u"Tabelle", u"Table", u"Tabella"}},
             {2,
              {u"Unir Celdas Horizontales", u"Unir Células Horizontais", u"Fusionner Cellules Horizontales",
               u"Zellen horizontal verbinden", u"Merge Cells Horizontal", u"Unisci Celle Orizzontali"}},
             {3,
              {u"Unir Celdas Verticales", u"Unir Células Verticais", u"Fusionner Cellules Verticales",
               u"Zellen vertikal verbinden", u"Vertical Merge Cells", u"Unisci Celle Verticali"}},
             {4,
              {u"Anular Celda", u"Anular Célula", u"Annuler la Cellule", u"Zelle aufheben", u"Cancel Cell",
               u"Annulla Cella"}},
         }},
        {T::LanguagesMenu,
         100,
         {{0, {u"Idiomas", u"Idiomas", u"Langues", u"Sprachen", u"Languages", u"Lingue"}}}},
        {T::Chart,
         100,
         {
             {1,
              {u"Organigrama", u"Organograma", u"Organigramme", u"Organigramm", u"Organization chart",
               u"Organigramma"}},
             {2,
              {u"Crear tabla", u"Criar tabela", u"Créer le tableau", u"Tabelle erstellen", u"Create table",
               u"Crea tabella"}},
             {3,
              {u"Crear linea", u"Criar linha", u"Créer une ligne", u"Linie erstellen", u"Create line",
               u"Crea linea"}},
             {4,
              {u"Construir desde lista…", u"Construir a partir de lista…", u"Construire depuis une liste…",
               u"Aus Liste erstellen…", u"Build from list…", u"Costruisci da elenco…"}},
         }},
        {T::PageOrientation,
         100,
         {
             {1, {u"Horizontal", u"Horizontal", u"Horizontal", u"Horizontal", u"Horizontal", u"Orizzontale"}},
             {2, {u"16 píxeles", u"16 pixels", u"16 pixels", u"16 Pixel", u"16 pixels", u"16 pixel"}},
             {3, {u"32 píxeles", u"32 pixels", u"32 pixels", u"32 Pixel", u"32 pixels", u"32 pixel"}},
             {4, {u"64 píxeles", u"64 pixels", u"64 pixels", u"64 Pixel", u"64 pixels", u"64 pixel"}},
             {5, {u"Vertical", u"Vertical", u"Vertical", u"Vertikal", u"Vertical", u"Verticale"}},
             {6, {u"24 píxeles", u"24 pixels", u"24 pixels", u"24 Pixel", u"24 pixels", u"24 pixel"}},
         }},
        {T::CopyConfigurator,
         100,
         {
             {1,
              {u"Configurador de copias", u"Configurador de cópias", u"Configurateur de copie",
               u"Kopierkonfigurator", u"Copy configurator", u"Configuratore di copia"}},
             {2,
              {u"Seleccionar todos los campos", u"Selecionar todos os campos",
               u"Sélectionner tous les champs", u"Alle Felder auswählen", u"Select all fields",
               u"Seleziona tutti i campi"}},
             {3, {u"Texto", u"Texto", u"Texte", u"Text", u"Text", u"Testo"}},
             {4, {u"Imagen", u"Imagem", u"Image", u"Bild", u"Image", u"Immagine"}},
             {5,
              {u"Alineación", u"Alinhamento", u"Alignement", u"Ausrichtung", u"Alignment", u"Allineamento"}},
             {6,
              {u"Se permite formato numérico", u"Formato numérico permitido", u"Format numérique autorisé",
               u"Zahlenformat erlaubt", u"Numeric format is allowed", u"Formato numerico consentito"}},
             {7,
              {u"Tipo de formato numérico", u"Tipo de formato numérico", u"Type de format numérique",
               u"Art des Zahlenformats", u"Number format type", u"Tipo di formato numerico"}},
             {8,
              {u"Deseleccionar todos los campos", u"Desmarcar todos os campos",
               u"Désélectionner tous les champs", u"Alle Felder abwählen", u"Deselect all fields",
               u"Deseleziona tutti i campi"}},
             {9, {u"Icono", u"Ícone", u"Icône", u"Symbol", u"Icon", u"Icona"}},
         }},
        {T::ColourMenu,
         100,
         {
             {1, {u"Color", u"Cor", u"Couleur", u"Farbe", u"Color", u"Colore"}},
             {2,
              {u"Fondo diseño favorito", u"Fundo de desenho favorito", u"Fond de dessin favori",
               u"Lieblingshintergrund für Entwürfe", u"Favorite design background",
               u"Sfondo preferito del disegno"}},
         }},
        {T::CharacterSet,
         100,
         {
             {1, {u"Hangul", u"Hangul", u"Hangeul", u"Hangul", u"Hangeul", u"Hangul"}},
             {2, {u"Chino", u"Chinês", u"Chinois", u"Chinesisch", u"Chinese", u"Cinese"}},
             {3, {u"Griego", u"Grego", u"Grec", u"Griechisch", u"Greek", u"Greco"}},
             {4, {u"Turco", u"Turco", u"Turc", u"Türkisch", u"Turkish", u"Turco"}},
             {5, {u"Hebreo", u"Hebraico", u"Hébreu", u"Hebräisch", u"Hebrew", u"Ebraico"}},
             {6, {u"Árabe", u"Árabe", u"Arabe", u"Arabisch", u"Arab", u"Arabo"}},
             {7, {u"Báltico", u"Báltico", u"Balte", u"Baltisch", u"Baltic", u"Baltico"}},
             {8, {u"Ruso", u"Russo", u"Russe", u"Russisch", u"Russian", u"Russo"}},
             {9, {u"Tailandés", u"Tailandês", u"Thaï", u"Thailändisch", u"Thai", u"Tailandese"}},
             {10,
              {u"Europa del este", u"Europa Oriental", u"Europe de l'Est", u"Osteuropa", u"Eastern Europe",
               u"Europa orientale"}},
             {11,
              {u"Conjunto de caracteres", u"Conjunto de caracteres", u"Jeu de caractères", u"Zeichensatz",
               u"Character set", u"Set di caratteri"}},
         }},
        {T::TextProperties,
         100,
         {
             {1, {u"Prueba", u"Teste", u"Essai", u"Test", u"Test", u"Prova"}},
             {2,
              {u"Propiedades Texto", u"Propriedades do Texto", u"Propriétés du Texte", u"Texteigenschaften",
               u"Text properties", u"Proprietà Testo"}},
             {3,
              {u"Tipo de Fuente", u"Tipo de Fonte", u"Type de Police", u"Schriftart", u"Type of Source",
               u"Tipo di Carattere"}},
             {4, {u"Tamaño", u"Tamanho", u"Taille", u"Größe", u"Size", u"Dimensione"}},
             {5, {u"Negrita", u"Negrito", u"Gras", u"Fett", u"Bold", u"Grassetto"}},
             {6, {u"Itálico", u"Itálico", u"Italique", u"Kursiv", u"Italic", u"Corsivo"}},
             {7, {u"Subrayado", u"Sublinhado", u"Souligné", u"Unterstrichen", u"Underline", u"Sottolineato"}},
             {8, {u"Tachado", u"Tachado", u"Barré", u"Durchgestrichen", u"Strikeout", u"Barrato"}},
             {9, {u"Estilos", u"Estilos", u"Styles", u"Stile", u"Styles", u"Stili"}},
             {10,
              {u"Color de fondo", u"Cor de fundo", u"Couleur de fond", u"Hintergrundfarbe",
               u"Background Color", u"Colore di sfondo"}},
             {11,
              {u"Color de fuente", u"Cor da fonte", u"Couleur de police", u"Schriftfarbe", u"Font Color",
               u"Colore del carattere"}},
             {12,
              {u"Alineamiento a la Izquierda", u"Alinhamento à Esquerda", u"Alignement à Gauche",
               u"Linksbündig", u"Alignment Left", u"Allineamento a Sinistra"}},
             {13,
              {u"Alineamiento a la Derecha", u"Alinhamento à Direita", u"Alignement à Droite",
               u"Rechtsbündig", u"Alignment to Right", u"Allineamento a Destra"}},
             {14,
              {u"Alineamiento al Centro", u"Alinhamento ao Centro", u"Alignement au Centre", u"Zentriert",
               u"Alignment to Center", u"Allineamento al Centro"}},
             {15,
              {u"Alineamiento Justificado", u"Alinhamento Justificado", u"Alignement Justifié", u"Blocksatz",
               u"Justified alignment", u"Allineamento Giustificato"}},
             {16,
              {u"Alineamiento vertical arriba", u"Alinhamento vertical acima", u"Alignement vertical en haut",
               u"Vertikal oben ausrichten", u"Vertical alignment up", u"Allineamento verticale in alto"}},
             {17,
              {u"Alineamiento vertical centrado", u"Alinhamento vertical centralizado",
               u"Alignement vertical centré", u"Vertikal zentriert ausrichten",
               u"Center aligned vertical alignment", u"Allineamento verticale centrato"}},
         }},
        {T::NumberFormatNames,
         100,
         {
             {1,
              {u"Formato Inglés decimal", u"Formato Inglês decimal", u"Format anglais décimal",
               u"Englisches Dezimalformat", u"English decimal format", u"Formato inglese decimale"}},
             {2,
              {u"Formato Inglés entero", u"Formato Inglês inteiro", u"Format anglais entier",
               u"Englisches Ganzzahlformat", u"English integer format", u"Formato inglese intero"}},
             {3,
              {u"Sin formato, Inglés decimal", u"Sem formato, Inglês decimal",
               u"Sans format, anglais décimal", u"Ohne Format, englisch dezimal",
               u"Unformatted, English decimal", u"Senza formato, inglese decimale"}},
             {4,
              {u"Formato Español decimal", u"Formato Espanhol decimal", u"Format espagnol décimal",
               u"Spanisches Dezimalformat", u"Spanish decimal format", u"Formato spagnolo decimale"}},
             {5,
              {u"Formato Español entero", u"Formato Espanhol inteiro", u"Format espagnol entier",
               u"Spanisches Ganzzahlformat", u"Spanish integer format", u"Formato spagnolo intero"}},
             {6,
              {u"Sin formato, Español decimal", u"Sem formato, Espanhol decimal",
               u"Sans format, espagnol décimal", u"Ohne Format, spanisch dezimal",
               u"Unformatted, Spanish decimal", u"Senza formato, spagnolo decimale"}},
             {7,
              {u"Sin formato, entero (Inglés/Español)", u"Sem formato, inteiro (Inglês/Espanhol)",
               u"Sans format, entier (anglais/espagnol)", u"Ohne Format, ganzzahlig (englisch/spanisch)",
               u"Unformatted, Integer (English / Spanish)", u"Senza formato, intero (inglese/spagnolo)"}},
         }},
        {T::NumberFormatCaption,
         100,
         {{0,
           {u"Número con formato", u"Número com formato", u"Nombre avec format", u"Zahl mit Format",
            u"Number with format", u"Numero con formato"}}}},
        {T::FileNameDialog,
         100,
         {
             {3, {u"Aceptar", u"Aceitar", u"Accepter", u"Übernehmen", u"Accept", u"Accetta"}},
             {4, {u"Cancelar", u"Cancelar", u"Annuler", u"Abbrechen", u"Cancel", u"Annulla"}},
         }},
        {T::ColourCaught,
         100,
         {{0,
           {u"Color Captado", u"Cor Capturada", u"Couleur Capturée", u"Farbe aufgenommen", u"Color Caught",
            u"Colore Catturato"}}}},
        {T::SelectedColour,
         100,
         {{0,
           {u"Color Seleccionado", u"Cor Selecionada", u"Couleur Sélectionnée", u"Ausgewählte Farbe",
            u"Selected color", u"Colore Selezionato"}}}},
        {T::FavouritesFiled,
         100,
         {{0,
           {u"Mis Colores Favoritos han sido Archivados", u"Minhas Cores Favoritas foram Arquivadas",
            u"Mes Couleurs Favorites ont été Archivées", u"Meine Lieblingsfarben wurden abgelegt",
            u"My favorite colors are filed", u"I Miei Colori Preferiti sono stati Archiviati"}}}},
        {T::SaveBeforeExit,
         100,
         {{0,
           {u"Desea guardar los cambios antes de Salir ?", u"Deseja salvar as alterações antes de Sair ?",
            u"Voulez-vous enregistrer les modifications avant de Quitter ?",
            u"Möchten Sie die Änderungen vor dem Verlassen speichern ?", u"To save changes before exiting ?",
            u"Vuoi salvare le modifiche prima di Uscire ?"}}}},
        {T::ResetQuestion,
         100,
         {
             {1,
              {u"Realmente desea RESETEAR ?", u"Deseja realmente REDEFINIR ?",
               u"Voulez-vous vraiment RÉINITIALISER ?", u"Wirklich ZURÜCKSETZEN ?", u"RESET really want ?",
               u"Vuoi davvero REIMPOSTARE ?"}},
             {2,
              {u"Se perderan todos tus colores favoritos", u"Todas as suas cores favoritas serão perdidas",
               u"Toutes vos couleurs favorites seront perdues", u"Alle Ihre Lieblingsfarben gehen verloren",
               u"All your favorite colors will be lost", u"Tutti i tuoi colori preferiti andranno persi"}},
         }},
        {T::FavouritesTitle,
         100,
         {{0,
           {u"Tus Colores Favoritos Cargalos y Guardalos", u"Suas Cores Favoritas: carregue-as e guarde-as",
            u"Vos Couleurs Favorites : chargez-les et enregistrez-les",
            u"Ihre Lieblingsfarben: laden und ablegen", u"Your favorite colors load them and save them",
            u"I Tuoi Colori Preferiti: caricali e salvali"}}}},
        {T::FavouritesFileButton,
         100,
         {{0, {u"Archivar", u"Arquivar", u"Archiver", u"Ablegen", u"File", u"Archivia"}}}},
        {T::FavouritesGetOutButton,
         100,
         {{0, {u"Salir", u"Sair", u"Sortir", u"Verlassen", u"Get out", u"Esci"}}}},
        {T::FavouritesResetButton,
         100,
         {{0, {u"Reseteo", u"Redefinir", u"Réinitialiser", u"Zurücksetzen", u"Reset", u"Reimposta"}}}},
        {T::ExitQuestion,
         100,
         {{0,
           {u"Realmente deseas salir del programa ?", u"Deseja realmente sair do programa ?",
            u"Voulez-vous vraiment quitter le programme ?", u"Wollen Sie das Programm wirklich beenden ?",
            u"You really want to exit the program ?", u"Vuoi davvero uscire dal programma ?"}}}},
        {T::WorkFile,
         100,
         {
             {1,
              {u"Fichero de trabajo : ", u"Arquivo de trabalho : ", u"Fichier de travail : ",
               u"Arbeitsdatei : ", u"Work file : ", u"File di lavoro : "}},
             {2,
              {u"No Existe ...", u"Não Existe ...", u"N'existe pas ...", u"Existiert nicht ...",
               u"Not Exist ...", u"Non Esiste ..."}},
         }},
        {T::FileExists,
         100,
         {
             {1,
              {u"Fichero Existe ...", u"Arquivo Existe ...", u"Le fichier existe ...", u"Datei existiert ...",
               u"File exists ...", u"Il file esiste ..."}},
             {2,
              {u"Sobrescribir ?", u"Sobrescrever ?", u"Écraser ?", u"Überschreiben ?", u"Overwrite ?",
               u"Sovrascrivere ?"}},
         }},
        {T::ClearCell,
         100,
         {
             {1,
              {u"Para borrar celda : ", u"Para apagar célula : ", u"Pour effacer la cellule : ",
               u"Zum Löschen der Zelle : ", u"To clear cell : ", u"Per cancellare la cella : "}},
             {2,
              {u"Seleccione celda ...", u"Selecione a célula ...", u"Sélectionnez une cellule ...",
               u"Wählen Sie eine Zelle ...", u"Select cell ...", u"Selezionare la cella ..."}},
         }},
        {T::PasteCell,
         100,
         {{0,
           {u"Para pegar celda : ", u"Para colar na célula : ", u"Pour coller dans la cellule : ",
            u"Zum Einfügen in die Zelle : ", u"To paste cell : ", u"Per incollare nella cella : "}}}},
        {T::CopyCell,
         100,
         {{0,
           {u"Para copiar celda : ", u"Para copiar célula : ", u"Pour copier la cellule : ",
            u"Zum Kopieren der Zelle : ", u"To copy cell : ", u"Per copiare la cella : "}}}},
        {T::OverrideCell,
         100,
         {{0,
           {u"Para anular celda : ", u"Para anular célula : ", u"Pour annuler la cellule : ",
            u"Zum Aufheben der Zelle : ", u"To override cell : ", u"Per annullare la cella : "}}}},
        {T::HorizontalMergeRefused,
         100,
         {
             {1,
              {u"Sintiendolo mucho no puedo unir celdas Horizontales ...",
               u"Lamento muito, não posso unir células Horizontais ...",
               u"Désolé, je ne peux pas fusionner les cellules Horizontales ...",
               u"Leider kann ich die horizontalen Zellen nicht verbinden ...",
               u"Feeling it so much I can not join Horizontal cells ...",
               u"Mi dispiace molto, non posso unire le celle Orizzontali ..."}},
             {2,
              {u"No se ha seleccionado con corrección ...", u"A seleção não foi feita corretamente ...",
               u"La sélection n'est pas correcte ...", u"Die Auswahl ist nicht korrekt ...",
               u"It has not been chosen correction ...", u"La selezione non è corretta ..."}},
         }},
        {T::VerticalMergeRefused,
         100,
         {{0,
           {u"Sintiendolo mucho no puedo unir celdas Verticales ...",
            u"Lamento muito, não posso unir células Verticais ...",
            u"Désolé, je ne peux pas fusionner les cellules Verticales ...",
            u"Leider kann ich die vertikalen Zellen nicht verbinden ...",
            u"Feeling it so much I can not join Vertical cells ...",
            u"Mi dispiace molto, non posso unire le celle Verticali ..."}}}},
        {T::WrongFormat,
         100,
         {{0,
           {u"Formato de fichero erroneo ...", u"Formato de arquivo incorreto ...",
            u"Format de fichier incorrect ...", u"Falsches Dateiformat ...", u"Wrong format file ...",
            u"Formato del file errato ..."}}}},
        {T::PreviousVersionHint,
         100,
         {{0,
           {u"Se puede tratar de un fichero de trabajo de una versión anterior ...",
            u"Pode ser um arquivo de trabalho de uma versão anterior ...",
            u"Il peut s'agir d'un fichier de travail d'une version précédente ...",
            u"Es kann eine Arbeitsdatei einer früheren Version sein ...",
            u"You can try a work file from a previous version ...",
            u"Potrebbe essere un file di lavoro di una versione precedente ..."}}}},
        {T::CutBitmapExported,
         100,
         {{0,
           {u"Exportado a bitmap cortado ..", u"Exportado para bitmap recortado ..",
            u"Exporté en bitmap rogné ..", u"Als zugeschnittene Bitmap exportiert ..",
            u"Exported to cut bitmap ..", u"Esportato in bitmap ritagliata .."}}}},
        {T::CutJpegExported,
         120,
         {{0,
           {u"Exportado a JPEG cortado", u"Exportado para JPEG recortado", u"Exporté en JPEG rogné",
            u"Als zugeschnittenes JPEG exportiert", u"Exported to JPEG cut",
            u"Esportato in JPEG ritagliato"}}}},
        {T::BitmapBrowser,
         100,
         {
             {1,
              {u"Navegador de ficheros para bitmap", u"Navegador de arquivos para bitmap",
               u"Explorateur de fichiers pour bitmap", u"Dateiauswahl für Bitmap", u"For bitmap file browser",
               u"Esplora file per bitmap"}},
             {2,
              {u"Todos los Ficheros", u"Todos os Arquivos", u"Tous les Fichiers", u"Alle Dateien",
               u"All Files", u"Tutti i File"}},
         }},
        {T::JpegBrowser,
         100,
         {{0,
           {u"Navegador de ficheros para JPEG", u"Navegador de arquivos para JPEG",
            u"Explorateur de fichiers pour JPEG", u"Dateiauswahl für JPEG", u"File browser for JPEG",
            u"Esplora file per JPEG"}}}},
        {T::ImageBrowser,
         120,
         {{0,
           {u"Navegador de ficheros para imagen o foto", u"Navegador de arquivos para imagem ou foto",
            u"Explorateur de fichiers pour image ou photo", u"Dateiauswahl für Bild oder Foto",
            u"File browser for image or photo", u"Esplora file per immagine o foto"}}}},
        {T::IconBrowser,
         120,
         {{0,
           {u"Navegador de ficheros para icono", u"Navegador de arquivos para ícones",
            u"Explorateur de fichiers pour icônes", u"Dateiauswahl für Symbole", u"File browser for icons",
            u"Esplora file per icone"}}}},
        {T::GdiplusError,
         150,
         {{0,
           {u"Error inicializando GDI+ ... (El programa necesita XP ó superior ...)",
            u"Erro ao inicializar o GDI+ ... (O programa precisa do XP ou superior ...)",
            u"Erreur à l'initialisation de GDI+ ... (Le programme nécessite XP ou supérieur ...)",
            u"Fehler beim Initialisieren von GDI+ ... (Das Programm benötigt XP oder höher ...)",
            u"Error initializing GDI+ ... (The program needs XP or higher ...)",
            u"Errore di inizializzazione di GDI+ ... (Il programma richiede XP o superiore ...)"}}}},
        {T::Association,
         200,
         {
             {1,
              {u"Entendiendo que este programa necesita registrarse para su mejor funcionamiento :",
               u"Considerando que este programa precisa ser registrado para funcionar melhor :",
               u"Ce programme a besoin d'être enregistré pour mieux fonctionner :",
               u"Dieses Programm muss registriert werden, um besser zu funktionieren :",
               u"Understanding that this program needs to register for better performance :",
               u"Considerato che questo programma deve essere registrato per funzionare meglio :"}},
             {2,
              {u"Quiere registrar el programa en la ubicación actual ?",
               u"Deseja registrar o programa no local atual ?",
               u"Voulez-vous enregistrer le programme à son emplacement actuel ?",
               u"Möchten Sie das Programm an seinem jetzigen Ort registrieren ?",
               u"You want to record the program at the current location ?",
               u"Vuoi registrare il programma nella posizione attuale ?"}},
             {3,
              {u"Si acepta, se le aconseja que no mueva este programa y su carpeta de donde está.",
               u"Se aceitar, recomenda-se não mover este programa e a sua pasta do lugar onde estão.",
               u"Si vous acceptez, il est conseillé de ne plus déplacer ce programme ni son dossier.",
               u"Wenn Sie zustimmen, sollten Sie dieses Programm und seinen Ordner nicht mehr verschieben.",
               u"If you accept, you are advised to not move this program and its folder where this.",
               u"Se accetti, ti consigliamo di non spostare questo programma e la sua cartella da dove si "
               u"trovano."}},
             {4,
              {u"Si no acepta, puede mover la carpeta con el programa a una ubicación mejor para registrar "
               u"...",
               u"Se não aceitar, pode mover a pasta com o programa para um local melhor para registrá-lo ...",
               u"Si vous refusez, vous pouvez déplacer le dossier du programme vers un meilleur emplacement "
               u"pour l'enregistrer ...",
               u"Wenn Sie ablehnen, können Sie den Ordner mit dem Programm an einen besseren Ort verschieben "
               u"und es dort registrieren ...",
               u"If you decline, you can move to a better location to record the folder with the program ...",
               u"Se rifiuti, puoi spostare la cartella con il programma in una posizione migliore per "
               u"registrarlo ..."}},
         }},
        {T::About,
         100,
         {
             {1,
              {u"Velmora te da las Gracias por usar este programa.",
               u"Velmora agradece a você por usar este programa.",
               u"Velmora vous remercie d'utiliser ce programme.",
               u"Velmora dankt Ihnen für die Nutzung dieses Programms.",
               u"Velmora thanks you for using this program.",
               u"Velmora ti ringrazia per aver usato questo programma."}},
             {2,
              {u"Visita la página del autor: https://velmora.example/cuadrix",
               u"Visite a página do autor: https://velmora.example/cuadrix",
               u"Visitez le site de l'auteur : https://velmora.example/cuadrix",
               u"Besuchen Sie die Seite des Autors: https://velmora.example/cuadrix",
               u"Visit the author's web page: https://velmora.example/cuadrix",
               u"Visita il sito dell'autore: https://velmora.example/cuadrix"}},
         }},
        {T::ExportNotWritten,
         100,
         {{0,
           {u"El fichero no se ha escrito :", u"O arquivo não foi gravado :",
            u"Le fichier n'a pas été écrit :", u"Die Datei wurde nicht geschrieben :",
            u"The file was not written :", u"Il file non è stato scritto :"}}}},
        {T::ChartFromList,
         160,
         {
             {1,
              {u"Listas de texto", u"Listas de texto", u"Listes de texte", u"Textlisten", u"Text lists",
               u"Elenchi di testo"}},
             {2,
              {u"No se ha construido el organigrama; estas líneas de la lista tienen errores:",
               u"O organograma não foi construído; estas linhas da lista têm erros:",
               u"L'organigramme n'a pas été construit ; ces lignes de la liste sont erronées :",
               u"Das Organigramm wurde nicht erstellt; diese Zeilen der Liste sind fehlerhaft:",
               u"The chart was not built; these lines of the list are wrong:",
               u"L'organigramma non è stato creato; queste righe dell'elenco sono errate:"}},
             {3,
              {u"Línea %1: falta el nombre", u"Linha %1: falta o nome", u"Ligne %1 : nom manquant",
               u"Zeile %1: Name fehlt", u"Line %1: no name", u"Riga %1: manca il nome"}},
             {4,
              {u"Línea %1: el jefe «%2» no está en la lista", u"Linha %1: o gestor «%2» não está na lista",
               u"Ligne %1 : le responsable « %2 » n'est pas dans la liste",
               u"Zeile %1: „%2“ steht nicht in der Liste", u"Line %1: the manager “%2” is not in the list",
               u"Riga %1: il responsabile «%2» non è nell'elenco"}},
             {5,
              {u"Línea %1: la persona es su propio jefe", u"Linha %1: a pessoa é o seu próprio gestor",
               u"Ligne %1 : la personne est son propre responsable",
               u"Zeile %1: Die Person ist sich selbst vorgesetzt",
               u"Line %1: the person is their own manager",
               u"Riga %1: la persona è responsabile di sé stessa"}},
             {6,
              {u"Línea %1: los jefes forman un círculo", u"Linha %1: os gestores formam um círculo",
               u"Ligne %1 : les responsables forment une boucle",
               u"Zeile %1: Die Vorgesetzten bilden einen Kreis",
               u"Line %1: the managers go round in a circle", u"Riga %1: i responsabili formano un cerchio"}},
             {7,
              {u"Línea %1: el identificador «%2» está repetido",
               u"Linha %1: o identificador «%2» está repetido",
               u"Ligne %1 : l'identifiant « %2 » apparaît plusieurs fois",
               u"Zeile %1: Die Kennung „%2“ kommt mehrfach vor",
               u"Line %1: the id “%2” appears more than once",
               u"Riga %1: l'identificativo «%2» compare più volte"}},
             {8,
              {u"Línea %1: el nombre «%2» está repetido", u"Linha %1: o nome «%2» está repetido",
               u"Ligne %1 : le nom « %2 » apparaît plusieurs fois",
               u"Zeile %1: Der Name „%2“ kommt mehrfach vor",
               u"Line %1: the name “%2” appears more than once", u"Riga %1: il nome «%2» compare più volte"}},
             {9,
              {u"… y %1 líneas más con errores.", u"… e mais %1 linhas com erros.",
               u"… et %1 autres lignes erronées.", u"… und %1 weitere fehlerhafte Zeilen.",
               u"… and %1 more faulty lines.", u"… e altre %1 righe errate."}},
             {10,
              {u"El organigrama de %1 personas necesitaría %2 × %3 celdas; una tabla tiene como máximo 101 × "
               u"101.",
               u"O organograma de %1 pessoas precisaria de %2 × %3 células; uma tabela tem no máximo 101 × "
               u"101.",
               u"L'organigramme de %1 personnes demanderait %2 × %3 cellules ; un tableau en a au plus 101 × "
               u"101.",
               u"Das Organigramm von %1 Personen bräuchte %2 × %3 Zellen; eine Tabelle hat höchstens 101 × "
               u"101.",
               u"A chart of %1 people would need %2 × %3 cells; a table holds at most 101 × 101.",
               u"L'organigramma di %1 persone richiederebbe %2 × %3 celle; una tabella ne ha al massimo 101 "
               u"× 101."}},
             {11,
              {u"La lista no contiene ninguna persona.", u"A lista não contém nenhuma pessoa.",
               u"La liste ne contient aucune personne.", u"Die Liste enthält keine Personen.",
               u"The list holds no people.", u"L'elenco non contiene nessuna persona."}},
             {12,
              {u"No se ha podido leer la lista.", u"Não foi possível ler a lista.",
               u"Impossible de lire la liste.", u"Die Liste konnte nicht gelesen werden.",
               u"The list could not be read.", u"Impossibile leggere l'elenco."}},
         }},
        {T::NothingToPaste,
         100,
         {{0,
           {u"Copie antes una celda ...", u"Copie primeiro uma célula ...", u"Copiez d'abord une cellule ...",
            u"Kopieren Sie zuerst eine Zelle ...", u"Copy a cell first ...",
            u"Copiare prima una cella ..."}}}},
        {T::VectorPicture,
         160,
         {
             {1,
              {u"Exportado a imagen vectorial ..", u"Exportado para imagem vetorial ..",
               u"Exporté en image vectorielle ..", u"Als Vektorgrafik exportiert ..",
               u"Exported to vector picture ..", u"Esportato in immagine vettoriale .."}},
             {2,
              {u"Navegador de ficheros para imagen vectorial (EMF, SVG)",
               u"Navegador de arquivos para imagem vetorial (EMF, SVG)",
               u"Explorateur de fichiers pour image vectorielle (EMF, SVG)",
               u"Dateiauswahl für Vektorgrafik (EMF, SVG)", u"Vector picture file browser (EMF, SVG)",
               u"Esplora file per immagine vettoriale (EMF, SVG)"}},
             {3,
              {u"Formato de imagen desconocido (bmp, jpg, png, gif, tif, emf, svg):",
               u"Formato de imagem desconhecido (bmp, jpg, png, gif, tif, emf, svg):",
               u"Format d'image inconnu (bmp, jpg, png, gif, tif, emf, svg) :",
               u"Unbekanntes Bildformat (bmp, jpg, png, gif, tif, emf, svg):",
               u"Unknown picture format (bmp, jpg, png, gif, tif, emf, svg):",
               u"Formato di immagine sconosciuto (bmp, jpg, png, gif, tif, emf, svg):"}},
             {4,
              {u"Uso: Cuadrix /export organigrama.qdrx imagen.(bmp|jpg|png|gif|tif|emf|svg) o /build "
               u"lista.csv organigrama.qdrx",
               u"Uso: Cuadrix /export organograma.qdrx imagem.(bmp|jpg|png|gif|tif|emf|svg) ou /build "
               u"lista.csv organograma.qdrx",
               u"Utilisation : Cuadrix /export organigramme.qdrx image.(bmp|jpg|png|gif|tif|emf|svg) ou "
               u"/build liste.csv organigramme.qdrx",
               u"Aufruf: Cuadrix /export organigramm.qdrx bild.(bmp|jpg|png|gif|tif|emf|svg) oder /build "
               u"liste.csv organigramm.qdrx",
               u"Usage: Cuadrix /export chart.qdrx picture.(bmp|jpg|png|gif|tif|emf|svg) or /build "
               u"people.csv chart.qdrx",
               u"Utilizzo: Cuadrix /export organigramma.qdrx immagine.(bmp|jpg|png|gif|tif|emf|svg) o /build "
               u"elenco.csv organigramma.qdrx"}},
             {5,
              {u"Exportar a imagen vectorial (EMF, SVG)", u"Exportar para imagem vetorial (EMF, SVG)",
               u"Exporter en image vectorielle (EMF, SVG)", u"Als Vektorgrafik exportieren (EMF, SVG)",
               u"Export to vector picture (EMF, SVG)", u"Esporta in immagine vettoriale (EMF, SVG)"}},
             {6,
              {u"Copiar organigrama como imagen", u"Copiar organograma como imagem",
               u"Copier l'organigramme comme image", u"Organigramm als Bild kopieren",
               u"Copy chart as picture", u"Copia organigramma come immagine"}},
             {7,
              {u"No se ha podido copiar el organigrama al portapapeles; puede que otro programa lo esté "
               u"usando. Vuelva a intentarlo.",
               u"Não foi possível copiar o organograma para a área de transferência; talvez outro "
               u"programa a esteja usando. Tente novamente.",
               u"Impossible de copier l'organigramme dans le presse-papiers ; un autre programme "
               u"l'utilise peut-être. Réessayez.",
               u"Das Organigramm konnte nicht in die Zwischenablage kopiert werden; vielleicht verwendet "
               u"ein anderes Programm sie. Versuchen Sie es erneut.",
               u"The chart could not be copied to the clipboard; another program may be using it. Try "
               u"again.",
               u"Impossibile copiare l'organigramma negli appunti; forse un altro programma li sta "
               u"usando. Riprovare."}},
         }},
        {T::Printing,
         160,
         {
             {1,
              {u"Imprimir…\tCtrl+P", u"Imprimir…\tCtrl+P", u"Imprimer…\tCtrl+P", u"Drucken…\tStrg+P",
               u"Print…\tCtrl+P", u"Stampa…\tCtrl+P"}},
             {2,
              {u"No hay ninguna impresora instalada. Instale una impresora y vuelva a intentarlo.",
               u"Não há nenhuma impressora instalada. Instale uma impressora e tente novamente.",
               u"Aucune imprimante n'est installée. Installez une imprimante puis réessayez.",
               u"Es ist kein Drucker installiert. Installieren Sie einen Drucker und versuchen Sie es "
               u"erneut.",
               u"No printer is installed. Install a printer and try again.",
               u"Non è installata alcuna stampante. Installare una stampante e riprovare."}},
             {3,
              {u"La impresora no ha aceptado el organigrama (rechazada o no preparada): no se ha impreso "
               u"nada.",
               u"A impressora não aceitou o organograma (recusado ou não pronta): nada foi impresso.",
               u"L'imprimante n'a pas accepté l'organigramme (refusé ou pas prête) : rien n'a été imprimé.",
               u"Der Drucker hat das Organigramm nicht angenommen (abgelehnt oder nicht bereit): Es wurde "
               u"nichts gedruckt.",
               u"The printer did not take the chart (refused, or not ready): nothing was printed.",
               u"La stampante non ha accettato l'organigramma (rifiutato o non pronta): non è stato stampato "
               u"nulla."}},
             {4,
              {u"Uso: Cuadrix /print organigrama.qdrx", u"Uso: Cuadrix /print organograma.qdrx",
               u"Utilisation : Cuadrix /print organigramme.qdrx", u"Aufruf: Cuadrix /print organigramm.qdrx",
               u"Usage: Cuadrix /print chart.qdrx", u"Utilizzo: Cuadrix /print organigramma.qdrx"}},
         }},
        // %1 stands for the chart's name (2) or the time of the copy (3). Buttons 4 and 5 share
        // the mnemonic N for "Don't Save" in every language.
        {T::UnsavedChanges,
         100,
         {
             {1, {u"Sin título", u"Sem título", u"Sans titre", u"Unbenannt", u"Untitled", u"Senza titolo"}},
             {2,
              {u"¿Desea guardar los cambios en %1?", u"Deseja salvar as alterações em %1?",
               u"Voulez-vous enregistrer les modifications de %1 ?",
               u"Möchten Sie die Änderungen an %1 speichern?", u"Do you want to save the changes to %1?",
               u"Salvare le modifiche a %1?"}},
             {3,
              {u"¿Restaurar el organigrama sin guardar del %1?", u"Restaurar o organograma não salvo de %1?",
               u"Restaurer l'organigramme non enregistré du %1 ?",
               u"Das nicht gespeicherte Organigramm vom %1 wiederherstellen?",
               u"Restore the unsaved chart from %1?", u"Ripristinare l'organigramma non salvato del %1?"}},
             {4, {u"&Guardar", u"&Salvar", u"&Enregistrer", u"&Speichern", u"&Save", u"&Salva"}},
             {5,
              {u"&No guardar", u"&Não salvar", u"&Ne pas enregistrer", u"&Nicht speichern", u"Do&n't Save",
               u"&Non salvare"}},
             {6, {u"Cancelar", u"Cancelar", u"Annuler", u"Abbrechen", u"Cancel", u"Annulla"}},
             {7, {u"Ctrl", u"Ctrl", u"Ctrl", u"Strg", u"Ctrl", u"Ctrl"}},
             {8, {u"Supr", u"Del", u"Suppr", u"Entf", u"Del", u"Canc"}},
             {9, {u"Mayús", u"Shift", u"Maj", u"Umschalt", u"Shift", u"Maiusc"}},
         }},
        {T::ZoomMenu,
         100,
         {
             {1, {u"Zoom", u"Zoom", u"Zoom", u"Zoom", u"Zoom", u"Zoom"}},
             {2,
              {u"Ajustar al ancho", u"Ajustar à largura", u"Ajuster à la largeur", u"An Breite anpassen",
               u"Fit to width", u"Adatta alla larghezza"}},
         }},
    };
    return tables;
}

const TableDefinition* Find(MessageTable table) {
    const auto& tables = Definitions();
    auto index = static_cast<size_t>(table);
    if (index >= tables.size() || tables[index].table != table) return nullptr;
    return &tables[index];
}

constexpr std::array<std::u16string_view, kLanguageCount> kLanguageNames = {
    u"Español", u"Portugues", u"FranÇais", u"Deutsch", u"English", u"Italiano"};

constexpr std::array<std::u16string_view, kLanguageCount> kAssociationHeaders = {
    u"[ESPAÑOL]", u"[PORTUGUES]", u"[FRANÇAIS]", u"[DEUTSCH]", u"[ENGLISH]", u"[ITALIANO]"};

} // namespace

std::u16string_view MessageText(int languageIndex, MessageTable table, int item) {
    if (languageIndex < 1 || languageIndex > kLanguageCount) languageIndex = 1;
    const TableDefinition* definition = Find(table);
    if (!definition) return {};
    for (const Item& entry : definition->items)
        if (entry.number == item) return entry.texts[languageIndex - 1];
    return {};
}

int MessageTableWidth(MessageTable table) {
    const TableDefinition* definition = Find(table);
    return definition ? definition->width : 0;
}

std::vector<int> MessageTableItems(MessageTable table) {
    std::vector<int> numbers;
    if (const TableDefinition* definition = Find(table))
        for (const Item& entry : definition->items)
            numbers.push_back(entry.number);
    return numbers;
}

std::u16string_view FixedInterfaceText(FixedText text) {
    switch (text) {
    case FixedText::Ansi:
        return u"ANSI";
    case FixedText::Shiftjis:
        return u"Shiftjis";
    case FixedText::Johab:
        return u"Johab";
    case FixedText::Oem:
        return u"OEM";
    case FixedText::Leading:
        return u"Leading";
    case FixedText::AssociationCaption:
        return u"...";
    case FixedText::AboutButton:
        return u"Salir";
    case FixedText::AllFiles:
        return u"All Files";
    }
    return {};
}

std::u16string_view LanguageName(int languageIndex) {
    if (languageIndex < 1 || languageIndex > kLanguageCount) return {};
    return kLanguageNames[languageIndex - 1];
}

std::u16string_view AssociationHeader(int languageIndex) {
    if (languageIndex < 1 || languageIndex > kLanguageCount) return {};
    return kAssociationHeaders[languageIndex - 1];
}

std::u16string AssociationOfferText() {
    std::u16string text;
    for (int language = 1; language <= kLanguageCount; ++language) {
        if (language > 1) text += u"\r\n";
        text += AssociationHeader(language);
        text += u"\r\n";
        for (int item = 1; item <= 4; ++item) {
            text += MessageText(language, MessageTable::Association, item);
            text += u"\r\n";
        }
    }
    return text;
}
