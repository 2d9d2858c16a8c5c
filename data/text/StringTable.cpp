#include "data/text/StringTable.h"

#include "data/text/Charset.h"

#include <charconv>
#include <fstream>
#include <map>

namespace {

// The built-in German texts, written here in UTF-8 and stored as
// Windows-1252 when the table is built.
struct BuiltIn {
    unsigned id;
    const char* text;
};

constexpr BuiltIn kBuiltIn[] = {
    {128, "MoraWin"},
    {1024, "Dummy"},
    {1025, "Kein Speicher."},
    {1026, "Es kann nicht ins Clipboard kopiert werden."},
    {1027, "Kein Fehler."},
    {1028, "Datei-Fehler."},
    {1029, "Es kann keine Eintäge mehr vom Clipboard übernommen werden."},
    {1030, "Listen-Kennung bereits vorhanden."},
    {1031, "Der  Operand \"%s\" ist bereits vorhanden. Soll er überschrieben werden?"},
    {1032, "F"},
    {1033, "E"},
    {1034, "A"},
    {1035, "M"},
    {1036, "T"},
    {1037, "Z"},
    {1038, "Operand\nSymbol\nKommentar"},
    {1039, "Öffnen RZ731Win-Projekt"},
    {1040, "Fehler beim Lesen der Datei \"%s\"."},
    {1041, "Fehler beim Schreiben der Datei \"%s\"."},
    {1042, "Gruppen-Kennung ungültig."},
    {1043, "Listen-Kennung ungültig."},
    {1044, "Ein Liste mit der angegebenen Kennung ist bereits für einen anderen Operanden-Typ vorhanden."},
    {1045, "Die Operanden %s wurden nach \nGruppe %s, Liste %s konvertiert."},
    {1046, "Konvertierung einer gesamten Liste"},
    {1048, "Alle Operanden wurden erfolgreich konvertiert."},
    {1049, "SEQ Dateien (*.seq)|*.seq|Alle Dateien (*.*)|*.*||"},
    {1050, "Gruppen-Kennung enthält unzulässige Zeichen."},
    {1051, "Listen"},
    {1052, "Byte"},
    {1053, "Die Schrittkettengruppe \"%s\" existiert bereits\nund wird überschrieben."},
    {1054, "Kein RZ731WIN-Projekt geöffnet"},
    {1055, "1"},
    {1056, "Mit dem Datei-Typ \"htm\" ist keine Anwendung verknüpft. Installieren Sie zum Aufruf der Hilfe einen WWW-Browser."},
    {1057, "Unbekannter Fehlercode nach Aufruf einer Windows-Funktion."},
    {1060, "Es wurden nicht alle Operanden konvertiert: %d Operand(en) passen mit den eingestellten Grenzen in keine Schrittkettenliste."},
    {1061, "Die Schrittkettengruppen S01 bis S99 sind voll: %d Operand(en) wurden nicht konvertiert."},
    {1062, "Die Datei \"%s\" konnte nicht gelesen werden; die Schrittkettengruppe wird nicht überschrieben."},
    {1063, "Die Daten im Clipboard sind fehlerhaft und können nicht übernommen werden."},
    {1064, "Die Schrittkettengruppe \"%s\" würde größer als %d Byte. Es können keine weiteren Einträge vom Clipboard übernommen werden."},
    {1065, "Die Texte im Clipboard gehören zu einer Liste für einen anderen Operanden-Typ."},
    {1066, "Sollen die markierten Schrittkettengruppen gelöscht werden? Ihre Dateien werden aus dem Projekt entfernt."},
    {1067, "Sollen die markierten Schrittkettenlisten gelöscht werden?"},
    {1068, "Sollen die markierten Texte gelöscht werden?"},
    {1069, "Die Schrittkettengruppe \"%s\" existiert bereits."},
    {1070, "Die Operanden %s wurden nach \nGruppe %s, Liste %s konvertiert (%d übernommen, %d unverändert)."},
    {1071, "Zu lang für eine Schrittkettengruppe von %d KB, nicht konvertiert: %s"},
    {1072, "Mindestens eines von \"Operanden (=Symbole)\" und \"Kommentare\" muss gewählt sein, sonst werden alle Texte leer."},
    {1073, "wird ersetzt"},
    {1074, "Die Schrittkettengruppe %s existiert bereits und wird ersetzt."},
    {1075, "Die Schrittkettengruppen %s existieren bereits und werden ersetzt."},
    {1076, "%d Operand(en) wurden nicht konvertiert."},
    {1080, "Die Datei \"%s\" wurde inzwischen von einem anderen Programm geändert. Sie wurde neu eingelesen; bitte den Schritt wiederholen."},
    {1081, "beschädigt: der Dateikopf nennt %d Byte"},
    {1082, "Die Datei \"%s\" konnte nicht gelöscht werden."},
    {1083, "Die Datei endet mitten in einem Eintrag."},
    {1084, "Die Datei ist zu groß für eine Schrittkettengruppe."},
    {1085, "Die Datei ist keine gültige Schrittkettengruppe."},
    {1086, "Das System meldet den Fehler %d."},
    {1087, "Die Hilfe steht in der Datei \"%s\"."},
    {1088, "Schrittkettengruppe %s \"%s\" (Datei %s)"},
    {1089, "Schrittkettenliste %s \"%s\" der Gruppe %s"},
    {1090, "%d Text(e) der Liste %s \"%s\""},
    {1091, "Der Verlauf kann nicht geschrieben werden; die Datei \"%s\" wurde nicht geändert."},
    {1092, "%s wurde seitdem geändert"},
    {1093, "Der Verlauf enthält einen beschädigten Eintrag (Zeile %d); er wird übergangen."},
    {1094, "Konvertierung von %s: %d Operanden in %s"},
    {1095, "Abgleich mit %s: %d Texte in %s ersetzt"},
    {1096, "Rückgängig: %s"},
    {1097, "Wiederherstellen: %s"},
    {1098, "Der Verlauf hat den früheren Inhalt von %s nicht mehr; es wurde nichts geändert."},
    {1099, "%d Aktionen bis \"%s\""},
    {1100, "Eine unterbrochene Rücknahme wurde zu Ende geführt: %s"},
    {1101, "In diesem Projekt nimmt gerade ein anderes Programm Änderungen zurück; es wurde nichts geändert."},
    {1102, "Der Verlauf in %s kann nicht gelesen oder geschrieben werden; es wurde nichts geändert."},
    {1103, "Die Liste %s ist in der Gruppe %s bereits vorhanden. Soll sie unter der nächsten freien Kennung %s eingefügt werden?"},
    {1104, "Das Clipboard enthält keine Schrittkettenlisten."},
    {1105, "Das Clipboard enthält keine Texte einer Schrittkettenliste."},
    {1106, "Bitte zuerst die Schrittkettengruppe wählen, in die eingefügt werden soll."},
    {1107, "Bitte zuerst die Schrittkettenliste wählen, in die eingefügt werden soll."},
    {1108, "Einfügen in %s"},
    {1109, "Löschen von %s"},
    {1110, "Umbenennen von %s in %s"},
    {1111, "Die Änderung kann nicht ganz zurückgenommen werden. Sollen nur die anderen Dateien zurückgenommen werden? Die seitdem geänderten bleiben, wie sie sind."},
    {1112, "Zurücksetzen auf diesen Stand"},
    {1113, "Stand vor diesen Operationen"},
    {1120, "Zeile %d der Tabelle."},
    {1121, "Zelle %s der Arbeitsmappe."},
    {1122, "%d Zeichen ohne Entsprechung in Windows-1252 durch ? ersetzt"},
    {1123, "Symboltabellen (*.seq;*.csv;*.tsv;*.txt;*.xlsx)|*.seq;*.csv;*.tsv;*.txt;*.xlsx|SEQ Dateien (*.seq)|*.seq|CSV Dateien (*.csv)|*.csv|Tabulatorgetrennte Texte (*.tsv;*.txt)|*.tsv;*.txt|Arbeitsmappen (*.xlsx)|*.xlsx|Alle Dateien (*.*)|*.*||"},
    {32771, "Konvertiert die selektierten Operanden\nEinzelkonvertierung"},
    {32772, "Konvertiert alle Operanden\nAlles konvertieren"},
    {32773, "Öffnet den Dialog MORAWIN-Konfiguration.\nKonfiguration"},
    {32774, "Öffnet die Dialogbox zur Einstellung der Operanden.\nOperanden"},
    {32776, "Öffnet ein RZ731 Projekt\nRZ731 Projekt"},
    {32777, "Zeigt die Schrittkettengruppen, -listen und Texte des RZ731 Projekts.\nProjekt anzeigen"},
    {32778, "Gibt der Schrittkettengruppe eine neue Kennung und Bezeichnung.\nGruppe umbenennen"},
    {32779, "Liest das RZ731 Projekt neu ein.\nAktualisieren"},
    {32790, "Vergleicht die Operanden mit den Texten des RZ731 Projekts.\nMit Projekt abgleichen"},
    {32791, "Zeigt die Änderungen des Projekts; setzt es auf einen früheren Stand zurück.\nVerlauf"},
    {32795, "Liest eine Symboltabelle mit wählbaren Spalten ein.\nSymboltabelle importieren"},
    {57344, "morawin"},
    {57345, "Bereit"},
    {57601, "Öffnet ein bestehendes Dokument.\nÖffnen"},
    {57602, "Schließt das aktive Dokument.\nSchließen"},
    {57607, "Druckt die Operandenliste.\nDrucken"},
    {57609, "Zeigt die Operandenliste so an, wie sie gedruckt wird.\nSeitenansicht"},
    {57616, "Öffnet dieses Dokument."},
    {57632, "Löscht die markierten Einträge.\nLöschen"},
    {57634, "Kopiert die markierten Einträge ins Clipboard.\nKopieren"},
    {57637, "Fügt die Einträge aus dem Clipboard ein.\nEinfügen"},
    {57643, "Nimmt die letzte Änderung des Projekts zurück.\nRückgängig"},
    {57644, "Stellt die zuletzt zurückgenommene Änderung des Projekts wieder her.\nWiederherstellen"},
    {57648, "Öffnet ein weiteres Fenster für das aktive Dokument.\nNeues Fenster"},
    {57649, "Ordnet die Symbole im unteren Bereich des Fensters an.\nSymbole anordnen"},
    {57650, "Ordnet die Fenster überlappend an.\nÜberlappende Fenster"},
    {57651, "Ordnet die Fenster nebeneinander an.\nFenster nebeneinander"},
    {57664, "Zeigt Programminformationen, Versionsnummer und Copyright an.\nInfo"},
    {57665, "Verläßt die Anwendung. \nBeenden"},
    {57667, "Listet die Hilfethemen auf.\nHilfethemen"},
    {59392, "Blendet die Symbolleiste ein oder aus.\nSymbolleiste ein-/ausschalten"},
    {59393, "Blendet die Statusleiste ein oder aus.\nStatusleiste ein-/ausschalten"},
};

using Table = std::map<unsigned, std::string>;

Table BuildBuiltIn()
{
    Table table;
    for (const auto& entry : kBuiltIn)
        table[entry.id] = charset::Utf8ToCp1252(entry.text);
    return table;
}

Table& TheTable()
{
    static Table table = BuildBuiltIn();
    return table;
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
    for (auto& [id, text] : overrides)
        TheTable()[id] = std::move(text);
    return true;
}

void CStringTable::ResetToBuiltIn()
{
    TheTable() = BuildBuiltIn();
}
