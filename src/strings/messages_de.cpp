// German block (numbers 501..599).
#include "strings/message_tables.h"

namespace norva::strings {
namespace {

constexpr MessageText kMessages[] = {
    {1, "INSTALLIERT"},
    {2, "DEMOS"},
    {3, "SOFTWARE"},
    {4, "EXTRAS"},
    {5, "UPDATES"},
    {6, "TREIBER"},
    {7, "BILDER"},
    {8, "TRAILER"},
    {9, "ONLINE-DEMOS"},
    {11, "Möchten Sie alle Dateien in %1 löschen?"},
    {13, "Alle Dateien befinden sich im Verzeichnis \\SHAREWARE"},
    {14, "Möchten Sie diese Demo in %1 installieren?"},
    {15, "Verzeichnis kann nicht angelegt werden!"},
    {16, "Verzeichnisauswahl"},
    {31, "Möchten Sie dieses Programm in %1 installieren?"},
    {32, "Wohin möchten Sie es installieren?"},
    {33,
     "Hier können Sie alle Programme deinstallieren, die mit diesem Menü von einer beliebigen CD "
     "installiert wurden!"},
    {34,
     "Nach der Deinstallation sind im Verzeichnis %1 noch einige Dateien übrig geblieben. Meist sind das "
     "Spielstände, Bilder oder temporäre Dateien, die nicht gelöscht wurden. Möchten Sie sie löschen "
     "(empfohlen)?"},
    {35, "Möchten Sie wirklich %1 MB löschen?"},
    {40, "Installiere"},
    {41, "nach"},
    {50, "Möchten Sie die Installation wirklich abbrechen?"},
    {51, "In %1 ist nicht genug freier Speicherplatz (%2 MB benötigt). Trotzdem installieren?"},
    {52,
     "Windows-Programme können auf diesem Computer nicht starten: Wine ist nicht installiert. "
     "Installieren Sie Wine (unter Debian oder Ubuntu: sudo apt-get install wine) und versuchen Sie "
     "es erneut."},
    {53,
     "%1 ist ein 32-Bit-Windows-Programm, aber der 32-Bit-Teil von Wine ist nicht installiert. "
     "Installieren Sie ihn (unter Debian oder Ubuntu: sudo dpkg --add-architecture i386 && sudo "
     "apt-get update && sudo apt-get install wine32:i386) und versuchen Sie es erneut."},
    {54,
     "%1 ist kein Windows-Programm, das Wine ausführen kann (ein DOS-Programm oder eine beschädigte "
     "Datei)."},
    {55,
     "Die Installation ist fehlgeschlagen: In %1 konnte keine Datei angelegt werden (der Ordner ist "
     "schreibgeschützt)."},
    {61,
     "Updates sind Programme der Spielehersteller, die \"Bugs\" beheben oder neue Funktionen hinzufügen. Vor "
     "dem Update empfehlen wir, die ursprüngliche Installation zu sichern."},
    {73, "RAHMEN"},
    {74, "EFFEKTE"},
    {75, "MUSIK"},
    {76, "ERSCHEINUNGSDATUM"},
    {77, "Diesen Monat hören Sie Musik aus dem Spiel Necromania: Trap of Darkness von Darksoft und Cinemax."},
    {78, "LETZTES UPDATE"},
    {80, "Benötigt den DivX-Codec (unter Treiber)."},
    {81, "STARTEN"},
    {82, "DEINSTALLIEREN"},
    {83, "LIESMICH"},
    {84, "HOMEPAGE"},
    {85, "AUSSCHALTEN"},
    {86, "NICHT SPIELBAR"},
    {87, "EINSCHALTEN"},
    {88, "3D-UNTERSTÜTZUNG"},
    {89, "SPIELBAR"},
    {90, "BEENDEN"},
    {91, "EINSTELLUNGEN"},
    {92, "STATUS: AUS"},
    {93, "STATUS: EIN"},
    {94, "Schaltet den Rahmen und seine Animationen ein (empfohlen für Auflösungen über 1024x768)."},
    {95,
     "Spezialeffekte wie Transparenz beim Laden von Bildern. Besitzer langsamerer Computer sollten sie "
     "ausschalten."},
    {96, "INSTALLIEREN"},
    {97, "NETZWERKSPIEL"},
    {98, "AUF TSCHECHISCH"},
    {99, "BELEUCHTUNG"},
};

}  // namespace

std::span<const MessageText> GermanMessages() {
  return kMessages;
}

}  // namespace norva::strings
