#include "data/text/StringTable.h"

#include "data/text/Charset.h"
#include "data/text/MessageCatalog.h"

#include <charconv>
#include <fstream>
#include <map>

namespace {

// Marks a source text for the translations' catalog (xgettext --keyword=N_).
#define N_(text) text

// The built-in German texts, written here in UTF-8 and stored as
// Windows-1252 when the table is built.
struct BuiltIn {
    unsigned id;
    const char* text;
};

constexpr BuiltIn kBuiltIn[] = {
    {128, N_("MoraWin")},
    {1024, N_("Dummy")},
    {1025, N_("Kein Speicher.")},
    {1026, N_("Es kann nicht ins Clipboard kopiert werden.")},
    {1027, N_("Kein Fehler.")},
    {1028, N_("Datei-Fehler.")},
    {1029, N_("Es kann keine Eintäge mehr vom Clipboard übernommen werden.")},
    {1030, N_("Listen-Kennung bereits vorhanden.")},
    {1031, N_("Der  Operand \"%s\" ist bereits vorhanden. Soll er überschrieben werden?")},
    {1032, N_("F")},
    {1033, N_("E")},
    {1034, N_("A")},
    {1035, N_("M")},
    {1036, N_("T")},
    {1037, N_("Z")},
    {1038, N_("Operand\nSymbol\nKommentar")},
    {1039, N_("Öffnen RZ731Win-Projekt")},
    {1040, N_("Fehler beim Lesen der Datei \"%s\".")},
    {1041, N_("Fehler beim Schreiben der Datei \"%s\".")},
    {1042, N_("Gruppen-Kennung ungültig.")},
    {1043, N_("Listen-Kennung ungültig.")},
    {1044, N_("Ein Liste mit der angegebenen Kennung ist bereits für einen anderen Operanden-Typ vorhanden.")},
    {1045, N_("Die Operanden %s wurden nach \nGruppe %s, Liste %s konvertiert.")},
    {1046, N_("Konvertierung einer gesamten Liste")},
    {1048, N_("Alle Operanden wurden erfolgreich konvertiert.")},
    {1049, N_("SEQ Dateien (*.seq)|*.seq|Alle Dateien (*.*)|*.*||")},
    {1050, N_("Gruppen-Kennung enthält unzulässige Zeichen.")},
    {1051, N_("Listen")},
    {1052, N_("Byte")},
    {1053, N_("Die Schrittkettengruppe \"%s\" existiert bereits\nund wird überschrieben.")},
    {1054, N_("Kein RZ731WIN-Projekt geöffnet")},
    {1055, N_("1")},
    {1056, N_("Mit dem Datei-Typ \"htm\" ist keine Anwendung verknüpft. Installieren Sie zum Aufruf der Hilfe einen WWW-Browser.")},
    {1057, N_("Unbekannter Fehlercode nach Aufruf einer Windows-Funktion.")},
    {1060, N_("Es wurden nicht alle Operanden konvertiert: %d Operand(en) passen mit den eingestellten Grenzen in keine Schrittkettenliste.")},
    {1061, N_("Die Schrittkettengruppen S01 bis S99 sind voll: %d Operand(en) wurden nicht konvertiert.")},
    {1062, N_("Die Datei \"%s\" konnte nicht gelesen werden; die Schrittkettengruppe wird nicht überschrieben.")},
    {1063, N_("Die Daten im Clipboard sind fehlerhaft und können nicht übernommen werden.")},
    {1064, N_("Die Schrittkettengruppe \"%s\" würde größer als %d Byte. Es können keine weiteren Einträge vom Clipboard übernommen werden.")},
    {1065, N_("Die Texte im Clipboard gehören zu einer Liste für einen anderen Operanden-Typ.")},
    {1066, N_("Sollen die markierten Schrittkettengruppen gelöscht werden? Ihre Dateien werden aus dem Projekt entfernt.")},
    {1067, N_("Sollen die markierten Schrittkettenlisten gelöscht werden?")},
    {1068, N_("Sollen die markierten Texte gelöscht werden?")},
    {1069, N_("Die Schrittkettengruppe \"%s\" existiert bereits.")},
    {1070, N_("Die Operanden %s wurden nach \nGruppe %s, Liste %s konvertiert (%d übernommen, %d unverändert).")},
    {1071, N_("Zu lang für eine Schrittkettengruppe von %d KB, nicht konvertiert: %s")},
    {1072, N_("Mindestens eines von \"Operanden (=Symbole)\" und \"Kommentare\" muss gewählt sein, sonst werden alle Texte leer.")},
    {1073, N_("wird ersetzt")},
    {1074, N_("Die Schrittkettengruppe %s existiert bereits und wird ersetzt.")},
    {1075, N_("Die Schrittkettengruppen %s existieren bereits und werden ersetzt.")},
    {1076, N_("%d Operand(en) wurden nicht konvertiert.")},
    {1080, N_("Die Datei \"%s\" wurde inzwischen von einem anderen Programm geändert. Sie wurde neu eingelesen; bitte den Schritt wiederholen.")},
    {1081, N_("beschädigt: der Dateikopf nennt %d Byte")},
    {1082, N_("Die Datei \"%s\" konnte nicht gelöscht werden.")},
    {1083, N_("Die Datei endet mitten in einem Eintrag.")},
    {1084, N_("Die Datei ist zu groß für eine Schrittkettengruppe.")},
    {1085, N_("Die Datei ist keine gültige Schrittkettengruppe.")},
    {1086, N_("Das System meldet den Fehler %d.")},
    {1087, N_("Die Hilfe steht in der Datei \"%s\".")},
    {1088, N_("Schrittkettengruppe %s \"%s\" (Datei %s)")},
    {1089, N_("Schrittkettenliste %s \"%s\" der Gruppe %s")},
    {1090, N_("%d Text(e) der Liste %s \"%s\"")},
    {1091, N_("Der Verlauf kann nicht geschrieben werden; die Datei \"%s\" wurde nicht geändert.")},
    {1092, N_("%s wurde seitdem geändert")},
    {1093, N_("Der Verlauf enthält einen beschädigten Eintrag (Zeile %d); er wird übergangen.")},
    {1094, N_("Konvertierung von %s: %d Operanden in %s")},
    {1095, N_("Abgleich mit %s: %d Texte in %s ersetzt")},
    {1096, N_("Rückgängig: %s")},
    {1097, N_("Wiederherstellen: %s")},
    {1098, N_("Der Verlauf hat den früheren Inhalt von %s nicht mehr; es wurde nichts geändert.")},
    {1099, N_("%d Aktionen bis \"%s\"")},
    {1100, N_("Eine unterbrochene Rücknahme wurde zu Ende geführt: %s")},
    {1101, N_("In diesem Projekt nimmt gerade ein anderes Programm Änderungen zurück; es wurde nichts geändert.")},
    {1102, N_("Der Verlauf in %s kann nicht gelesen oder geschrieben werden; es wurde nichts geändert.")},
    {1103, N_("Die Liste %s ist in der Gruppe %s bereits vorhanden. Soll sie unter der nächsten freien Kennung %s eingefügt werden?")},
    {1104, N_("Das Clipboard enthält keine Schrittkettenlisten.")},
    {1105, N_("Das Clipboard enthält keine Texte einer Schrittkettenliste.")},
    {1106, N_("Bitte zuerst die Schrittkettengruppe wählen, in die eingefügt werden soll.")},
    {1107, N_("Bitte zuerst die Schrittkettenliste wählen, in die eingefügt werden soll.")},
    {1108, N_("Einfügen in %s")},
    {1109, N_("Löschen von %s")},
    {1110, N_("Umbenennen von %s in %s")},
    {1111, N_("Die Änderung kann nicht ganz zurückgenommen werden. Sollen nur die anderen Dateien zurückgenommen werden? Die seitdem geänderten bleiben, wie sie sind.")},
    {1112, N_("Zurücksetzen auf diesen Stand")},
    {1113, N_("Stand vor diesen Operationen")},
    {1120, N_("Zeile %d der Tabelle.")},
    {1121, N_("Zelle %s der Arbeitsmappe.")},
    {1122, N_("%d Zeichen ohne Entsprechung in Windows-1252 durch ? ersetzt")},
    {1123, N_("Symboltabellen (*.seq;*.csv;*.tsv;*.txt;*.xlsx)|*.seq;*.csv;*.tsv;*.txt;*.xlsx|SEQ Dateien (*.seq)|*.seq|CSV Dateien (*.csv)|*.csv|Tabulatorgetrennte Texte (*.tsv;*.txt)|*.tsv;*.txt|Arbeitsmappen (*.xlsx)|*.xlsx|Alle Dateien (*.*)|*.*||")},
    {1124, N_("%d von ")},
    {1125, N_("%d Operand")},
    {1126, N_("%d Operanden")},
    {1127, N_(", %d mehrfach in der Datei")},
    {1128, N_("Kein RZ731-Projekt")},
    {1129, N_("Kein RZ731-Projekt: %s")},
    {1130, N_("Verzeichnis nicht gefunden")},
    {1131, N_("keine Projektdatei (SDAT.731 oder SDAT.SYS)")},
    {1132, N_("Projektdatei %s nicht lesbar")},
    {1133, N_("Kopf der Projektdatei unvollständig (%s)")},
    {1134, N_("Länge des Projektnamens im Kopf von %s ungültig")},
    {1135, N_("%s ist keine Projektdatei (falsche Art)")},
    {1136, N_("Aufruf: morawin [PROJEKTORDNER] [--open DATEI.seq]... [--settings DATEI.ini]\n"
              "\n"
              "  PROJEKTORDNER     öffnet das RZ731-Projekt in diesem Ordner (wenn es gültig ist)\n"
              "  --open DATEI.seq  öffnet eine Sequenzdatei (mehrfach möglich)\n"
              "  --settings DATEI  liest und schreibt die Einstellungen in dieser Datei\n"
              "  --help            zeigt diese Hilfe\n"
              "  --version         zeigt die Version\n"
              "\n"
              "Verlauf (Rückgängig, Wiederherstellen, Verlauf...): %s,\n"
              "  bei einer portablen Kopie im Ordner history neben ihrer morawin.ini\n"
              "\n"
              "MoraWin %s, %s\n"
              "Freie Software unter der %s-Lizenz, ohne jede Gewährleistung.\n")},
    {1137, N_("Lizenz: %s (freie Software, ohne jede Gewährleistung)")},
    {1138, N_("Unbekannte Option: %s")},
    {1139, N_("Nach %s fehlt der Name der Datei.")},
    {1140, N_("keine Anzeige: der Desktop antwortet nicht.")},
    {1141, N_("keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt.")},
    {1142, N_("keine Anzeige: %s antwortet nicht.")},
    {1143, N_("Bitte geben Sie eine ganze Zahl zwischen %d und %d ein.")},
    {1144, N_("Die Zahl muss zwischen %d und %d liegen.")},
    {32771, N_("Konvertiert die selektierten Operanden\nEinzelkonvertierung")},
    {32772, N_("Konvertiert alle Operanden\nAlles konvertieren")},
    {32773, N_("Öffnet den Dialog MORAWIN-Konfiguration.\nKonfiguration")},
    {32774, N_("Öffnet die Dialogbox zur Einstellung der Operanden.\nOperanden")},
    {32776, N_("Öffnet ein RZ731 Projekt\nRZ731 Projekt")},
    {32777, N_("Zeigt die Schrittkettengruppen, -listen und Texte des RZ731 Projekts.\nProjekt anzeigen")},
    {32778, N_("Gibt der Schrittkettengruppe eine neue Kennung und Bezeichnung.\nGruppe umbenennen")},
    {32779, N_("Liest das RZ731 Projekt neu ein.\nAktualisieren")},
    {32790, N_("Vergleicht die Operanden mit den Texten des RZ731 Projekts.\nMit Projekt abgleichen")},
    {32791, N_("Zeigt die Änderungen des Projekts; setzt es auf einen früheren Stand zurück.\nVerlauf")},
    {32795, N_("Liest eine Symboltabelle mit wählbaren Spalten ein.\nSymboltabelle importieren")},
    {32796, N_("Wählt die Sprache des Programms; sie gilt ab dem nächsten Start.\nSprache")},
    {57344, N_("morawin")},
    {57345, N_("Bereit")},
    {57601, N_("Öffnet ein bestehendes Dokument.\nÖffnen")},
    {57602, N_("Schließt das aktive Dokument.\nSchließen")},
    {57607, N_("Druckt die Operandenliste.\nDrucken")},
    {57609, N_("Zeigt die Operandenliste so an, wie sie gedruckt wird.\nSeitenansicht")},
    {57616, N_("Öffnet dieses Dokument.")},
    {57632, N_("Löscht die markierten Einträge.\nLöschen")},
    {57634, N_("Kopiert die markierten Einträge ins Clipboard.\nKopieren")},
    {57637, N_("Fügt die Einträge aus dem Clipboard ein.\nEinfügen")},
    {57643, N_("Nimmt die letzte Änderung des Projekts zurück.\nRückgängig")},
    {57644, N_("Stellt die zuletzt zurückgenommene Änderung des Projekts wieder her.\nWiederherstellen")},
    {57648, N_("Öffnet ein weiteres Fenster für das aktive Dokument.\nNeues Fenster")},
    {57649, N_("Ordnet die Symbole im unteren Bereich des Fensters an.\nSymbole anordnen")},
    {57650, N_("Ordnet die Fenster überlappend an.\nÜberlappende Fenster")},
    {57651, N_("Ordnet die Fenster nebeneinander an.\nFenster nebeneinander")},
    {57664, N_("Zeigt Programminformationen, Versionsnummer und Copyright an.\nInfo")},
    {57665, N_("Verläßt die Anwendung. \nBeenden")},
    {57667, N_("Listet die Hilfethemen auf.\nHilfethemen")},
    {59392, N_("Blendet die Symbolleiste ein oder aus.\nSymbolleiste ein-/ausschalten")},
    {59393, N_("Blendet die Statusleiste ein oder aus.\nStatusleiste ein-/ausschalten")},
};

using Table = std::map<unsigned, std::string>;

// The texts in effect: the built-in ones, translated by the chosen
// language's catalog, and the resource catalog's overrides over both.
struct State {
    const CMessageCatalog* translations = nullptr;
    Table overrides;
    Table table;
};

State& TheState()
{
    static State state;
    return state;
}

void Rebuild(State& state)
{
    state.table.clear();
    for (const auto& entry : kBuiltIn) {
        const std::string* translated = state.translations ? state.translations->Find(entry.text) : nullptr;
        state.table[entry.id] = charset::Utf8ToCp1252(translated ? *translated : std::string_view(entry.text));
    }
    for (const auto& [id, text] : state.overrides)
        state.table[id] = text;
}

Table& TheTable()
{
    State& state = TheState();
    if (state.table.empty())
        Rebuild(state);
    return state.table;
}

std::string Unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
    }
    return out;
}

} // namespace

const std::string& CStringTable::Get(unsigned id)
{
    static const std::string empty;
    const Table& table = TheTable();
    const auto it = table.find(id);
    return it == table.end() ? empty : it->second;
}

std::string CStringTable::GetUtf8(unsigned id)
{
    return charset::Cp1252ToUtf8(Get(id));
}

bool CStringTable::LoadCatalog(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    Table overrides;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        unsigned id = 0;
        const auto [end, ec] = std::from_chars(line.data(), line.data() + eq, id);
        if (ec != std::errc() || end != line.data() + eq)
            continue;
        overrides[id] = charset::Utf8ToCp1252(Unescape(std::string_view(line).substr(eq + 1)));
    }
    if (in.bad())
        return false;
    State& state = TheState();
    for (auto& [id, text] : overrides)
        state.overrides[id] = std::move(text);
    Rebuild(state);
    return true;
}

void CStringTable::UseTranslations(const CMessageCatalog* catalog)
{
    State& state = TheState();
    state.translations = catalog;
    Rebuild(state);
}

void CStringTable::ResetToBuiltIn()
{
    State& state = TheState();
    state.translations = nullptr;
    state.overrides.clear();
    Rebuild(state);
}

std::vector<std::string_view> CStringTable::SourceTexts()
{
    std::vector<std::string_view> texts;
    for (const auto& entry : kBuiltIn)
        texts.emplace_back(entry.text);
    return texts;
}
