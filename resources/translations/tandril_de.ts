<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>AppDelegate</name>
    <message>
        <source>Open Download</source>
        <translation>Download öffnen</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Choose DOSBox-X</source>
        <translation>DOSBox-X auswählen</translation>
    </message>
    <message>
        <source>Not DOSBox-X</source>
        <translation>Nicht DOSBox-X</translation>
    </message>
    <message>
        <source>%1 does not answer as DOSBox-X does. Asked for its version, it answered: %2</source>
        <translation>%1 antwortet nicht wie DOSBox-X. Nach seiner Version gefragt, antwortete es: %2</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Home Folder Not Usable</source>
        <translation>Persönlicher Ordner nicht verwendbar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ArchiveFormat</name>
    <message>
        <source>%1 is missing; install the %2 package.</source>
        <translation>%1 fehlt; installieren Sie das Paket %2.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>Adding %1</source>
        <translation>%1 wird hinzugefügt</translation>
    </message>
    <message>
        <source>Cannot Read Settings</source>
        <translation>Einstellungen nicht lesbar</translation>
    </message>
    <message>
        <source>⚠️ Not checked: %1</source>
        <translation>⚠️ Nicht geprüft: %1</translation>
    </message>
    <message>
        <source>Not Saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>--force writes them anyway.</source>
        <translation>--force schreibt sie trotzdem.</translation>
    </message>
    <message>
        <source>Could Not Save</source>
        <translation>Speichern nicht möglich</translation>
    </message>
    <message>
        <source>Exporting %1</source>
        <translation>%1 wird exportiert</translation>
    </message>
    <message>
        <source>Importing %1</source>
        <translation>%1 wird importiert</translation>
    </message>
    <message>
        <source>print the library: title, a tab and the configuration file, one game a line</source>
        <translation>die Bibliothek ausgeben: Titel, Tabulator und Konfigurationsdatei, ein Spiel pro Zeile</translation>
    </message>
    <message>
        <source>start the game, its setup program or a DOS prompt in DOSBox-X</source>
        <translation>das Spiel, sein Setup-Programm oder eine DOS-Eingabeaufforderung in DOSBox-X starten</translation>
    </message>
    <message>
        <source>put the game into the desktop's applications menu</source>
        <translation>das Spiel ins Anwendungsmenü der Arbeitsumgebung aufnehmen</translation>
    </message>
    <message>
        <source>move the game's configuration and folder to the Trash, or delete them</source>
        <translation>Konfiguration und Ordner des Spiels in den Papierkorb verschieben oder löschen</translation>
    </message>
    <message>
        <source>print the game's DOSBox-X settings that differ from the template</source>
        <translation>die DOSBox-X-Einstellungen des Spiels ausgeben, die von der Vorlage abweichen</translation>
    </message>
    <message>
        <source>change DOSBox-X settings of the game, checked by the installed DOSBox-X</source>
        <translation>DOSBox-X-Einstellungen des Spiels ändern, geprüft vom installierten DOSBox-X</translation>
    </message>
    <message>
        <source>bring an exchange archive into the library</source>
        <translation>ein Austauscharchiv in die Bibliothek übernehmen</translation>
    </message>
    <message>
        <source>Usage: tandril [COMMAND [OPTION]... [ARGUMENT]...]
Keeps a library of DOS games and starts them in DOSBox-X.
Without a command, opens the library window.
GAME is a configuration file, a base name or a title.
</source>
        <translation>Aufruf: tandril [BEFEHL [OPTION]... [ARGUMENT]...]
Verwaltet eine Bibliothek von DOS-Spielen und startet sie in DOSBox-X.
Ohne Befehl öffnet sich das Bibliotheksfenster.
GAME ist eine Konfigurationsdatei, ein Basisname oder ein Titel.
</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>answer every question with its first button</source>
        <translation>jede Frage mit ihrer ersten Schaltfläche beantworten</translation>
    </message>
    <message>
        <source>start this DOSBox-X program (also TANDRIL_DOSBOX_X)</source>
        <translation>dieses DOSBox-X-Programm starten (auch TANDRIL_DOSBOX_X)</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>diese Hilfe anzeigen und beenden</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>die Version anzeigen und beenden</translation>
    </message>
    <message>
        <source>missing command</source>
        <translation>Befehl fehlt</translation>
    </message>
    <message>
        <source>--emulator needs a program</source>
        <translation>--emulator braucht ein Programm</translation>
    </message>
    <message>
        <source>unknown command '%1'</source>
        <translation>unbekannter Befehl '%1'</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>unknown option '%1' for %2</source>
        <translation>unbekannte Option '%1' für %2</translation>
    </message>
    <message>
        <source>wrong number of arguments for %1</source>
        <translation>falsche Anzahl von Argumenten für %1</translation>
    </message>
    <message>
        <source>invalid arguments for %1</source>
        <translation>ungültige Argumente für %1</translation>
    </message>
    <message>
        <source>Try 'tandril --help' for more information.</source>
        <translation>„tandril --help“ zeigt mehr.</translation>
    </message>
    <message>
        <source>"%1" is no detail; the details are %2, each as NAME=VALUE.</source>
        <translation>„%1“ ist keine Angabe; die Angaben sind %2, jeweils als NAME=WERT.</translation>
    </message>
    <message>
        <source>print the game's year, developer, publisher, genre and notes, or set them</source>
        <translation>Jahr, Entwickler, Verlag, Genre und Notizen des Spiels ausgeben oder setzen</translation>
    </message>
    <message>
        <source>let the game reach other folders of this computer (on) or only its own drives (off, as every game starts), or print which</source>
        <translation>dem Spiel andere Ordner dieses Computers erlauben (on) oder nur seine eigenen Laufwerke (off, wie jedes Spiel beginnt), oder anzeigen, was gilt</translation>
    </message>
    <message>
        <source>Home Folder Not Usable</source>
        <translation>Persönlicher Ordner nicht verwendbar</translation>
    </message>
    <message>
        <source>Name the setting with its section: SECTION.%1, such as dosbox.machine=cga.</source>
        <translation>Nennen Sie die Einstellung mit ihrem Abschnitt: ABSCHNITT.%1, etwa dosbox.machine=cga.</translation>
    </message>
    <message>
        <source>%1 stands in several sections: write %2.</source>
        <translation>%1 steht in mehreren Abschnitten: Schreiben Sie %2.</translation>
    </message>
    <message>
        <source>add a new game, or one made from a folder or .zip of its files, a store's game folder or installer, a browser bundle or a DOSBox configuration, or one from each of these in DIR</source>
        <translation>ein neues Spiel hinzufügen, oder eines aus einem Ordner oder einer .zip-Datei seiner Dateien, aus dem Spielordner oder Installationsprogramm eines Shops, einem Browser-Paket oder einer DOSBox-Konfiguration, oder eines aus jedem davon in DIR</translation>
    </message>
    <message>
        <source>Restoring the saved games of %1</source>
        <translation>Die Spielstände von %1 werden wiederhergestellt</translation>
    </message>
    <message>
        <source>Backing up the saved games of %1</source>
        <translation>Die Spielstände von %1 werden gesichert</translation>
    </message>
    <message>
        <source>%1 has written nothing: it is as it came.</source>
        <translation>%1 hat nichts geschrieben: Es ist, wie es kam.</translation>
    </message>
    <message>
        <source>pack the game into an archive: FILE, or GAME.tdl where the last export went, else on the Desktop or in the home folder; with the player's saved games applied, or the game as it came</source>
        <translation>das Spiel in ein Archiv packen: DATEI, oder GAME.tdl dort, wohin der letzte Export ging, sonst auf dem Schreibtisch oder im persönlichen Ordner; mit den Spielständen des Spielers oder so, wie das Spiel kam</translation>
    </message>
    <message>
        <source>list what the game wrote (path, size or "deleted", time), back it up into one archive, put a backup in its place, or reset the game to how it came (what it wrote goes to the Trash)</source>
        <translation>auflisten, was das Spiel geschrieben hat (Pfad, Größe oder „deleted“, Zeit), es in einem Archiv sichern, eine Sicherung an seine Stelle setzen oder das Spiel zurücksetzen, wie es kam (was es schrieb, kommt in den Papierkorb)</translation>
    </message>
</context>
<context>
    <name>ConsolePrompter</name>
    <message>
        <source>Answered "%1" because there is no terminal to ask on; --yes answers "%2".</source>
        <translation>Mit „%1“ beantwortet, weil es kein Terminal für die Frage gibt; --yes antwortet „%2“.</translation>
    </message>
</context>
<context>
    <name>CueSheet</name>
    <message>
        <source>The CD image's track file "%1" is missing.</source>
        <translation>Die Spurdatei „%1“ des CD-Abbilds fehlt.</translation>
    </message>
    <message>
        <source>The CD image's track file "%1" is outside its folder.</source>
        <translation>Die Spurdatei „%1“ des CD-Abbilds liegt außerhalb seines Ordners.</translation>
    </message>
    <message>
        <source>The CD image's track file "%1" has a name a cue sheet cannot hold.</source>
        <translation>Die Spurdatei „%1“ des CD-Abbilds hat einen Namen, den ein Cue-Sheet nicht aufnehmen kann.</translation>
    </message>
</context>
<context>
    <name>DesktopShortcut</name>
    <message>
        <source>Play %1 in DOSBox-X</source>
        <translation>%1 in DOSBox-X spielen</translation>
    </message>
    <message>
        <source>Cannot make the applications folder %1.</source>
        <translation>Der Anwendungsordner %1 kann nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>DetailsPanel</name>
    <message>
        <source>Last played: %1</source>
        <translation>Zuletzt gespielt: %1</translation>
    </message>
    <message>
        <source>Never played</source>
        <translation>Noch nie gespielt</translation>
    </message>
    <message>
        <source>Play time: %1</source>
        <translation>Spielzeit: %1</translation>
    </message>
    <message>
        <source>The picture before</source>
        <translation>Das vorige Bild</translation>
    </message>
    <message>
        <source>The next picture</source>
        <translation>Das nächste Bild</translation>
    </message>
    <message>
        <source>Choose Picture…</source>
        <translation>Bild wählen …</translation>
    </message>
    <message>
        <source>Choose the game's cover; an image can also be dropped on the panel</source>
        <translation>Das Titelbild des Spiels wählen; ein Bild kann auch auf die Leiste gezogen werden</translation>
    </message>
    <message>
        <source>No game selected</source>
        <translation>Kein Spiel ausgewählt</translation>
    </message>
    <message>
        <source>This picture cannot be shown</source>
        <translation>Dieses Bild kann nicht angezeigt werden</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Choose Picture</source>
        <translation>Bild wählen</translation>
    </message>
    <message>
        <source>Picture Not Kept</source>
        <translation>Bild nicht übernommen</translation>
    </message>
    <message>
        <source>No picture yet. Screenshots taken in DOSBox-X (Capture ▸ Take screenshot) show here.</source>
        <translation>Noch kein Bild. Bildschirmfotos aus DOSBox-X (Aufnahme ▸ Bildschirmfoto machen) erscheinen hier.</translation>
    </message>
</context>
<context>
    <name>DosboxCheck</name>
    <message>
        <source>Unknown setting "%1" in [%2]</source>
        <translation>Unbekannte Einstellung „%1“ in [%2]</translation>
    </message>
    <message>
        <source>DOSBox-X reads %1 as %2</source>
        <translation>DOSBox-X liest %1 als %2</translation>
    </message>
    <message>
        <source>DOSBox-X does not start with %1 (%2)</source>
        <translation>DOSBox-X startet nicht mit %1 (%2)</translation>
    </message>
    <message>
        <source>DOSBox-X does not start with these settings (%1)</source>
        <translation>DOSBox-X startet nicht mit diesen Einstellungen (%1)</translation>
    </message>
    <message>
        <source>%1 — DOSBox-X has no such setting</source>
        <translation>%1 — DOSBox-X kennt diese Einstellung nicht</translation>
    </message>
    <message>
        <source>%1 — DOSBox-X has no such value</source>
        <translation>%1 — DOSBox-X kennt diesen Wert nicht</translation>
    </message>
    <message>
        <source>%1 — DOSBox-X reads it as %2</source>
        <translation>%1 — DOSBox-X liest es als %2</translation>
    </message>
    <message>
        <source>all settings — DOSBox-X does not start with them (%1)</source>
        <translation>alle Einstellungen — DOSBox-X startet nicht mit ihnen (%1)</translation>
    </message>
</context>
<context>
    <name>DosboxChoiceDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>Find Automatically</source>
        <translation>Automatisch suchen</translation>
    </message>
    <message>
        <source>DOSBox-X:</source>
        <translation>DOSBox-X:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Choose DOSBox-X</source>
        <translation>DOSBox-X auswählen</translation>
    </message>
</context>
<context>
    <name>DosboxReferenceFile</name>
    <message>
        <source>DOSBox-X was not found.</source>
        <translation>DOSBox-X wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>DOSBox-X did not answer in time.</source>
        <translation>DOSBox-X hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The cache folder %1 cannot be made.</source>
        <translation>Der Cache-Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>DOSBox-X did not write its reference of settings.</source>
        <translation>DOSBox-X hat seine Referenz der Einstellungen nicht geschrieben.</translation>
    </message>
    <message>
        <source>There is no temporary folder with a short path without blanks.</source>
        <translation>Es gibt keinen temporären Ordner mit einem kurzen Pfad ohne Leerzeichen.</translation>
    </message>
    <message>
        <source>DOSBox-X did not finish within %1 seconds.</source>
        <translation>DOSBox-X wurde nicht innerhalb von %1 Sekunden fertig.</translation>
    </message>
    <message>
        <source>DOSBox-X crashed.</source>
        <translation>DOSBox-X ist abgestürzt.</translation>
    </message>
    <message>
        <source>DOSBox-X ended with exit status %1.</source>
        <translation>DOSBox-X wurde mit dem Status %1 beendet.</translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <translation>keine Antwort innerhalb von %1 Sekunden</translation>
    </message>
    <message>
        <source>it crashed</source>
        <translation>es ist abgestürzt</translation>
    </message>
    <message>
        <source>nothing (exit status %1)</source>
        <translation>nichts (Status %1)</translation>
    </message>
    <message>
        <source>%1 is not a program.</source>
        <translation>%1 ist kein Programm.</translation>
    </message>
</context>
<context>
    <name>DriveAliases</name>
    <message>
        <source>no private folder can be made there</source>
        <translation>dort kann kein privater Ordner angelegt werden</translation>
    </message>
</context>
<context>
    <name>DropCopy</name>
    <message>
        <source>The File/Folder you dropped are already existant</source>
        <translation>Die abgelegte Datei bzw. der abgelegte Ordner ist bereits vorhanden</translation>
    </message>
    <message>
        <source>File/Folder already exists</source>
        <translation>Datei/Ordner existiert bereits</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>Beide behalten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 cannot be copied into itself.</source>
        <translation>%1 kann nicht in sich selbst kopiert werden.</translation>
    </message>
    <message>
        <source>Could not move %1 into place.</source>
        <translation>%1 konnte nicht an seinen Platz verschoben werden.</translation>
    </message>
</context>
<context>
    <name>DropTargetView</name>
    <message>
        <source>Drop game files and folders here
to copy them to drive C</source>
        <translation>Spieldateien und -ordner hier ablegen,
um sie auf Laufwerk C zu kopieren</translation>
    </message>
</context>
<context>
    <name>DropTargetViewISO</name>
    <message>
        <source>Drop CD images here
to copy them to the ISO folder</source>
        <translation>CD-Abbilder hier ablegen,
um sie in den ISO-Ordner zu kopieren</translation>
    </message>
</context>
<context>
    <name>Emulator</name>
    <message>
        <source>DOSBox-X Not Found</source>
        <translation>DOSBox-X nicht gefunden</translation>
    </message>
    <message>
        <source>The dosbox-x.app was not found in the /Applications folder.
Please download and install it there so Tandril works properly.
Use the dosbox-x-sdl2 variant from the ZIP archive.</source>
        <translation>Die dosbox-x.app wurde im Ordner /Applications nicht gefunden.
Bitte laden Sie sie herunter und installieren Sie sie dort, damit Tandril richtig funktioniert.
Verwenden Sie die Variante dosbox-x-sdl2 aus dem ZIP-Archiv.</translation>
    </message>
    <message>
        <source>The dosbox-x program was not found on this system.
Please install it so Tandril works properly.</source>
        <translation>Das Programm dosbox-x wurde auf diesem System nicht gefunden.
Bitte installieren Sie es, damit Tandril richtig funktioniert.</translation>
    </message>
</context>
<context>
    <name>EmulatorPresence</name>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>%1 (chosen, but not found)</source>
        <translation>%1 (ausgewählt, aber nicht gefunden)</translation>
    </message>
    <message>
        <source>found automatically</source>
        <translation>automatisch gefunden</translation>
    </message>
    <message>
        <source>chosen</source>
        <translation>ausgewählt</translation>
    </message>
    <message>
        <source>It does not answer as DOSBox-X: %1</source>
        <translation>Es antwortet nicht wie DOSBox-X: %1</translation>
    </message>
</context>
<context>
    <name>EnterTitleController</name>
    <message>
        <source>Add Game</source>
        <translation>Spiel hinzufügen</translation>
    </message>
    <message>
        <source>Title of the new game:</source>
        <translation>Titel des neuen Spiels:</translation>
    </message>
    <message>
        <source>e.g. Commander Keen 4</source>
        <translation>z. B. Commander Keen 4</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
</context>
<context>
    <name>EntryCreation</name>
    <message>
        <source>Could Not Create Game</source>
        <translation>Spiel konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>The title must not contain line breaks, tabs or other control characters.</source>
        <translation>Der Titel darf keine Zeilenumbrüche, Tabulatoren oder anderen Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>The title must contain at least one character that can be used in a file name.</source>
        <translation>Der Titel muss mindestens ein Zeichen enthalten, das in einem Dateinamen stehen darf.</translation>
    </message>
    <message>
        <source>The name "mt32" belongs to the folder of the MT-32 ROM files. Please choose another title.</source>
        <translation>Der Name „mt32“ gehört zum Ordner der MT-32-ROM-Dateien. Bitte wählen Sie einen anderen Titel.</translation>
    </message>
    <message>
        <source>The title is too long to be used as a file name. Please choose a shorter title.</source>
        <translation>Der Titel ist zu lang für einen Dateinamen. Bitte wählen Sie einen kürzeren Titel.</translation>
    </message>
    <message>
        <source>Invalid Title</source>
        <translation>Ungültiger Titel</translation>
    </message>
    <message>
        <source>Could Not Replace Game</source>
        <translation>Spiel konnte nicht ersetzt werden</translation>
    </message>
    <message>
        <source>A game's name must not begin with a dot: "%1".</source>
        <translation>Der Name eines Spiels darf nicht mit einem Punkt beginnen: „%1“.</translation>
    </message>
</context>
<context>
    <name>EntryDeletion</name>
    <message>
        <source>No Selection</source>
        <translation>Keine Auswahl</translation>
    </message>
    <message>
        <source>Please select an entry from the list before attempting to delete it.</source>
        <translation>Bitte wählen Sie einen Eintrag aus der Liste, bevor Sie ihn löschen.</translation>
    </message>
    <message>
        <source>Delete Not Possible</source>
        <translation>Löschen nicht möglich</translation>
    </message>
    <message>
        <source>The configuration file %1 is not in the library folder.</source>
        <translation>Die Konfigurationsdatei %1 liegt nicht im Bibliotheksordner.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the configuration for "%1"?</source>
        <translation>Möchten Sie die Konfiguration für „%1“ wirklich löschen?</translation>
    </message>
    <message>
        <source>Delete Configuration?</source>
        <translation>Konfiguration löschen?</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The game was kept as it was.</source>
        <translation>Das Spiel bleibt, wie es war.</translation>
    </message>
    <message>
        <source>The game's folder and all its files, saved games included, will be deleted for good.</source>
        <translation>Der Ordner des Spiels und alle seine Dateien, Spielstände eingeschlossen, werden endgültig gelöscht.</translation>
    </message>
    <message>
        <source>The whole game goes: its configuration and its folder with all its files, saved games included, are moved to the Trash.</source>
        <translation>Das ganze Spiel wird entfernt: Seine Konfiguration und sein Ordner mit allen Dateien, gespeicherte Spielstände eingeschlossen, kommen in den Papierkorb.</translation>
    </message>
</context>
<context>
    <name>ExportJob</name>
    <message>
        <source>No Selection</source>
        <translation>Keine Auswahl</translation>
    </message>
    <message>
        <source>Please select a game to export.</source>
        <translation>Bitte wählen Sie ein Spiel zum Exportieren.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>The game folder %1 does not exist.</source>
        <translation>Der Spielordner %1 existiert nicht.</translation>
    </message>
    <message>
        <source>The archive of %1 does not fit. %2</source>
        <translation>Das Archiv von %1 passt nicht. %2</translation>
    </message>
    <message>
        <source>Could not prepare %1 for the archive.</source>
        <translation>%1 konnte nicht für das Archiv vorbereitet werden.</translation>
    </message>
    <message>
        <source>The configuration file is not valid UTF-8 text: its archive could not be imported.</source>
        <translation>Die Konfigurationsdatei ist kein gültiger UTF-8-Text: ihr Archiv ließe sich nicht importieren.</translation>
    </message>
    <message>
        <source>Export Successful</source>
        <translation>Export erfolgreich</translation>
    </message>
    <message>
        <source>The game folder holds the link "%1", which leads to a folder; an archive cannot hold it.</source>
        <translation>Der Spielordner enthält die Verknüpfung „%1“, die auf einen Ordner zeigt; ein Archiv kann sie nicht aufnehmen.</translation>
    </message>
    <message>
        <source>%1 changed while it was being exported. Please export it again.</source>
        <translation>%1 wurde während des Exports geändert. Bitte exportieren Sie es noch einmal.</translation>
    </message>
    <message>
        <source>zip could not make the archive of %1 (exit status %2).</source>
        <translation>zip konnte das Archiv von %1 nicht erstellen (Status %2).</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>File saved:
%1</source>
        <translation>Datei gespeichert:
%1</translation>
    </message>
    <message>
        <source>The game folder holds "%1", whose name is not UTF-8 text; its archive could not be imported. Rename it and export again.</source>
        <translation>Der Spielordner enthält „%1“, dessen Name kein UTF-8-Text ist; sein Archiv ließe sich nicht importieren. Benennen Sie es um und exportieren Sie erneut.</translation>
    </message>
    <message>
        <source>Left out, as links to files outside the game folder:
%1</source>
        <translation>Weggelassen, da Verknüpfungen zu Dateien außerhalb des Spielordners:
%1</translation>
    </message>
    <message>
        <source>Include Saved Games?</source>
        <translation>Spielstände mitnehmen?</translation>
    </message>
    <message>
        <source>"%1" has saved games of yours. Should the archive hold the game with them, or the game as it came?</source>
        <translation>„%1“ hat Spielstände von Ihnen. Soll das Archiv das Spiel mit ihnen enthalten oder so, wie es kam?</translation>
    </message>
    <message>
        <source>With Saved Games</source>
        <translation>Mit Spielständen</translation>
    </message>
    <message>
        <source>Game as It Came</source>
        <translation>Spiel, wie es kam</translation>
    </message>
    <message>
        <source>Could not prepare %1 for the archive: %2</source>
        <translation>%1 konnte nicht für das Archiv vorbereitet werden: %2</translation>
    </message>
</context>
<context>
    <name>FileOperations</name>
    <message>
        <source>Could not remove the folder %1 completely.</source>
        <translation>Der Ordner %1 konnte nicht vollständig entfernt werden.</translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Abgebrochen.</translation>
    </message>
    <message>
        <source>Could not copy %1: %2</source>
        <translation>%1 konnte nicht kopiert werden: %2</translation>
    </message>
    <message>
        <source>The link could not be made.</source>
        <translation>Die Verknüpfung konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>It does not exist.</source>
        <translation>Es existiert nicht.</translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation>%1 existiert bereits.</translation>
    </message>
    <message>
        <source>Could not move %1 to %2: the name is taken.</source>
        <translation>%1 konnte nicht nach %2 verschoben werden: der Name ist vergeben.</translation>
    </message>
    <message>
        <source>Could not move %1 to %2.</source>
        <translation>%1 konnte nicht nach %2 verschoben werden.</translation>
    </message>
    <message>
        <source>Could not move %1 to %2: %3</source>
        <translation>%1 konnte nicht nach %2 verschoben werden: %3</translation>
    </message>
    <message>
        <source>the disk at %1 is full</source>
        <translation>der Datenträger unter %1 ist voll</translation>
    </message>
    <message>
        <source>Its name is not UTF-8 text. Rename it and try again.</source>
        <translation>Sein Name ist kein UTF-8-Text. Benennen Sie es um und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>It is no regular file.</source>
        <translation>Es ist keine gewöhnliche Datei.</translation>
    </message>
</context>
<context>
    <name>FolderAddJob</name>
    <message>
        <source>Add Game Failed</source>
        <translation>Hinzufügen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Invalid Title</source>
        <translation>Ungültiger Titel</translation>
    </message>
    <message>
        <source>%1 is not a zip archive.</source>
        <translation>%1 ist kein ZIP-Archiv.</translation>
    </message>
    <message>
        <source>The archive holds the member "%1", which would be written outside its folder.</source>
        <translation>Das Archiv enthält den Eintrag „%1“, der außerhalb seines Ordners geschrieben würde.</translation>
    </message>
    <message>
        <source>Could not unpack %1.</source>
        <translation>%1 konnte nicht entpackt werden.</translation>
    </message>
    <message>
        <source>The archive holds the link "%1", which leads out of the game folder.</source>
        <translation>Das Archiv enthält die Verknüpfung „%1“, die aus dem Spielordner hinausführt.</translation>
    </message>
    <message>
        <source>Could not prepare the game's files.</source>
        <translation>Die Dateien des Spiels konnten nicht vorbereitet werden.</translation>
    </message>
    <message>
        <source>%1 has no program called %2.</source>
        <translation>%1 enthält kein Programm namens %2.</translation>
    </message>
    <message>
        <source>Which Program Starts the Game?</source>
        <translation>Welches Programm startet das Spiel?</translation>
    </message>
    <message>
        <source>Several programs could start "%1". Choose the one that starts the game.</source>
        <translation>Mehrere Programme könnten „%1“ starten. Wählen Sie dasjenige, das das Spiel startet.</translation>
    </message>
    <message>
        <source>The configuration template could not be read.</source>
        <translation>Die Konfigurationsvorlage konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The game %1 does not fit. %2</source>
        <translation>Das Spiel %1 passt nicht. %2</translation>
    </message>
    <message>
        <source>The file name "%1" holds a line break or another control character, which a configuration file cannot hold. Rename the file and add the game again.</source>
        <translation>Der Dateiname „%1“ enthält einen Zeilenumbruch oder ein anderes Steuerzeichen, das eine Konfigurationsdatei nicht aufnehmen kann. Benennen Sie die Datei um und fügen Sie das Spiel erneut hinzu.</translation>
    </message>
    <message>
        <source>%1 is neither a folder nor a .zip file, a browser bundle, a DOSBox configuration or a store's installer.</source>
        <translation>%1 ist weder ein Ordner noch eine .zip-Datei, ein Browser-Paket, eine DOSBox-Konfiguration oder das Installationsprogramm eines Shops.</translation>
    </message>
    <message>
        <source>The DOSBox configuration %1 mounts no folder of this computer as drive C.</source>
        <translation>Die DOSBox-Konfiguration %1 bindet keinen Ordner dieses Computers als Laufwerk C ein.</translation>
    </message>
    <message>
        <source>a store's Windows installer</source>
        <translation>ein Windows-Installationsprogramm eines Shops</translation>
    </message>
    <message>
        <source>a store's Linux installer</source>
        <translation>ein Linux-Installationsprogramm eines Shops</translation>
    </message>
    <message>
        <source>a DOSBox configuration</source>
        <translation>eine DOSBox-Konfiguration</translation>
    </message>
    <message>
        <source>a store's game</source>
        <translation>ein Spiel aus einem Shop</translation>
    </message>
    <message>
        <source>a browser bundle</source>
        <translation>ein Browser-Paket</translation>
    </message>
    <message>
        <source>%1 is no store's Linux installer of a game.</source>
        <translation>%1 ist kein Linux-Installationsprogramm eines Spiels aus einem Shop.</translation>
    </message>
    <message>
        <source>innoextract cannot read %1 as an installer.</source>
        <translation>innoextract kann %1 nicht als Installationsprogramm lesen.</translation>
    </message>
    <message>
        <source>innoextract could not unpack %1.</source>
        <translation>innoextract konnte %1 nicht entpacken.</translation>
    </message>
    <message>
        <source>%1 holds no DOS game set up for DOSBox.</source>
        <translation>%1 enthält kein für DOSBox eingerichtetes DOS-Spiel.</translation>
    </message>
    <message>
        <source>%1 — it reaches past the game's own drives</source>
        <translation>%1 — es reicht über die eigenen Laufwerke des Spiels hinaus</translation>
    </message>
    <message>
        <source>The settings were carried over unchecked: %1</source>
        <translation>Die Einstellungen wurden ungeprüft übernommen: %1</translation>
    </message>
    <message>
        <source>%1 mounts a folder outside its own files as drive C.</source>
        <translation>%1 bindet einen Ordner außerhalb seiner eigenen Dateien als Laufwerk C ein.</translation>
    </message>
    <message>
        <source>%1 — outside the game's own files</source>
        <translation>%1 — außerhalb der eigenen Dateien des Spiels</translation>
    </message>
    <message>
        <source>The DOSBox configuration %1 mounts %2 as drive C, which holds your home folder: a game gets only its own folder.</source>
        <translation>Die DOSBox-Konfiguration %1 bindet %2 als Laufwerk C ein, das Ihren persönlichen Ordner enthält: Ein Spiel bekommt nur seinen eigenen Ordner.</translation>
    </message>
</context>
<context>
    <name>FolderAddProposal</name>
    <message>
        <source>Add Game</source>
        <translation>Spiel hinzufügen</translation>
    </message>
    <message>
        <source>None: choose later</source>
        <translation>Keines: später auswählen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Program:</source>
        <translation>Programm:</translation>
    </message>
    <message>
        <source>Setup program:</source>
        <translation>Setup-Programm:</translation>
    </message>
    <message>
        <source>CD image:</source>
        <translation>CD-Abbild:</translation>
    </message>
    <message>
        <source>Floppy images:</source>
        <translation>Diskettenabbilder:</translation>
    </message>
    <message>
        <source>Tandril found these files. Change what is not right, then add the game.</source>
        <translation>Tandril hat diese Dateien gefunden. Ändern Sie, was nicht stimmt, und fügen Sie dann das Spiel hinzu.</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Aus:</translation>
    </message>
    <message>
        <source>Not carried over:</source>
        <translation>Nicht übernommen:</translation>
    </message>
</context>
<context>
    <name>FolderBatch</name>
    <message>
        <source>Added %1 of %2 games; %3 already in the library, %4 not added</source>
        <translation>%1 von %2 Spielen hinzugefügt; %3 schon in der Bibliothek, %4 nicht hinzugefügt</translation>
    </message>
</context>
<context>
    <name>FolderBatchDialog</name>
    <message>
        <source>Add Games from Folder</source>
        <translation>Spiele aus Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>CD Image</source>
        <translation>CD-Abbild</translation>
    </message>
    <message>
        <source>None found</source>
        <translation>Keines gefunden</translation>
    </message>
    <message>
        <source>Already in the library</source>
        <translation>Schon in der Bibliothek</translation>
    </message>
    <message>
        <source>Add Games</source>
        <translation>Spiele hinzufügen</translation>
    </message>
    <message>
        <source>Each folder and .zip file becomes a game of its own. Tandril found these; clear the ones not to add. The programs can be changed later in each game's settings.</source>
        <translation>Jeder Ordner und jede .zip-Datei wird ein eigenes Spiel. Tandril hat diese gefunden; entfernen Sie das Häkchen bei denen, die nicht hinzukommen sollen. Die Programme lassen sich später in den Einstellungen jedes Spiels ändern.</translation>
    </message>
    <message>
        <source>Add 1 Game</source>
        <translation>1 Spiel hinzufügen</translation>
    </message>
    <message>
        <source>Add %1 Games</source>
        <translation>%1 Spiele hinzufügen</translation>
    </message>
</context>
<context>
    <name>ForeignGameArrangement</name>
    <message>
        <source>The CD image's cue sheet %1 could not be read or mended.</source>
        <translation>Das Cue-Sheet %1 des CD-Abbilds konnte nicht gelesen oder repariert werden.</translation>
    </message>
    <message>
        <source>The saved games could not be brought in: %1</source>
        <translation>Die Spielstände konnten nicht übernommen werden: %1</translation>
    </message>
</context>
<context>
    <name>FormFields</name>
    <message>
        <source>IPX network</source>
        <translation>IPX-Netzwerk</translation>
    </message>
    <message>
        <source>XMS memory</source>
        <translation>XMS-Speicher</translation>
    </message>
    <message>
        <source>EMS memory</source>
        <translation>EMS-Speicher</translation>
    </message>
    <message>
        <source>Upper memory blocks</source>
        <translation>Upper Memory Blocks</translation>
    </message>
    <message>
        <source>Capture mouse on click</source>
        <translation>Maus bei Klick einfangen</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Double buffering</source>
        <translation>Doppelte Pufferung</translation>
    </message>
    <message>
        <source>Correct aspect ratio</source>
        <translation>Seitenverhältnis korrigieren</translation>
    </message>
    <message>
        <source>Frame skip</source>
        <translation>Bilder überspringen</translation>
    </message>
    <message>
        <source>CPU cycles</source>
        <translation>CPU-Zyklen</translation>
    </message>
    <message>
        <source>Mouse sensitivity</source>
        <translation>Mausempfindlichkeit</translation>
    </message>
    <message>
        <source>Type auto, max or a number of cycles from 1 to 1000000.</source>
        <translation>Geben Sie auto, max oder eine Zahl von Zyklen von 1 bis 1000000 ein.</translation>
    </message>
    <message>
        <source>Type a whole number from -1000 to 1000.</source>
        <translation>Geben Sie eine ganze Zahl von -1000 bis 1000 ein.</translation>
    </message>
    <message>
        <source>Machine type</source>
        <translation>Maschinentyp</translation>
    </message>
    <message>
        <source>Close DOSBox-X when the game ends</source>
        <translation>DOSBox-X schließen, wenn das Spiel endet</translation>
    </message>
</context>
<context>
    <name>GameDetailsPanel</name>
    <message>
        <source>About the Game</source>
        <translation>Über das Spiel</translation>
    </message>
    <message>
        <source>1993</source>
        <translation>1993</translation>
    </message>
    <message>
        <source>Developer</source>
        <translation>Entwickler</translation>
    </message>
    <message>
        <source>Publisher</source>
        <translation>Verlag</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Notes: codes, where you left off, what to remember</source>
        <translation>Notizen: Codes, wo Sie aufgehört haben, was Sie sich merken wollen</translation>
    </message>
    <message>
        <source>Year, genre:</source>
        <translation>Jahr, Genre:</translation>
    </message>
    <message>
        <source>Made by:</source>
        <translation>Hergestellt von:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notizen:</translation>
    </message>
</context>
<context>
    <name>GameDetailsText</name>
    <message>
        <source>The year must be four digits, such as 1993, or empty: "%1".</source>
        <translation>Das Jahr muss aus vier Ziffern bestehen, etwa 1993, oder leer sein: „%1“.</translation>
    </message>
    <message>
        <source>Details other than the notes must not contain line breaks, tabs or other control characters: %1.</source>
        <translation>Angaben außer den Notizen dürfen keine Zeilenumbrüche, Tabulatoren oder anderen Steuerzeichen enthalten: %1.</translation>
    </message>
</context>
<context>
    <name>GameFiles</name>
    <message>
        <source>The folder %1 cannot be read.</source>
        <translation>Der Ordner %1 kann nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>GameLookup</name>
    <message>
        <source>No game is called "%1".</source>
        <translation>Kein Spiel heißt „%1“.</translation>
    </message>
    <message>
        <source>Several games are called "%1"; name one by its configuration file:</source>
        <translation>Mehrere Spiele heißen „%1“; nennen Sie eines über seine Konfigurationsdatei:</translation>
    </message>
</context>
<context>
    <name>GamePictures</name>
    <message>
        <source>%1 is no picture Tandril can show (PNG, JPEG, GIF or BMP).</source>
        <translation>%1 ist kein Bild, das Tandril anzeigen kann (PNG, JPEG, GIF oder BMP).</translation>
    </message>
    <message>
        <source>%1 is too large for a cover.</source>
        <translation>%1 ist zu groß für ein Titelbild.</translation>
    </message>
</context>
<context>
    <name>GameRename</name>
    <message>
        <source>Could not move %1 to %2.</source>
        <translation>%1 konnte nicht nach %2 verschoben werden.</translation>
    </message>
</context>
<context>
    <name>ImportJob</name>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not a file.</source>
        <translation>%1 ist keine Datei.</translation>
    </message>
    <message>
        <source>%1 is not a Tandril archive.</source>
        <translation>%1 ist kein Tandril-Archiv.</translation>
    </message>
    <message>
        <source>The TDL file holds the member "%1", which would be written outside its folder.</source>
        <translation>Die TDL-Datei enthält den Eintrag „%1“, der außerhalb seines Ordners geschrieben würde.</translation>
    </message>
    <message>
        <source>No .conf file found in TDL.</source>
        <translation>Keine .conf-Datei in der TDL-Datei gefunden.</translation>
    </message>
    <message>
        <source>The game %1 does not fit. %2</source>
        <translation>Das Spiel %1 passt nicht. %2</translation>
    </message>
    <message>
        <source>Could not extract TDL file.</source>
        <translation>TDL-Datei konnte nicht entpackt werden.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be read.</source>
        <translation>Der Ordner %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The TDL file holds the link "%1", which leads out of the game folder.</source>
        <translation>Die TDL-Datei enthält die Verknüpfung „%1“, die aus dem Spielordner hinausführt.</translation>
    </message>
    <message>
        <source>Could not update user paths in .conf file.</source>
        <translation>Die Benutzerpfade in der .conf-Datei konnten nicht angepasst werden.</translation>
    </message>
    <message>
        <source>Import Successful</source>
        <translation>Import erfolgreich</translation>
    </message>
    <message>
        <source>Game imported successfully.</source>
        <translation>Das Spiel wurde erfolgreich importiert.</translation>
    </message>
    <message>
        <source>Import Failed</source>
        <translation>Import fehlgeschlagen</translation>
    </message>
    <message>
        <source>The TDL file holds the folder "%1", but its configuration file is "%2": a game's folder must have its configuration file's name.</source>
        <translation>Die TDL-Datei enthält den Ordner „%1“, aber ihre Konfigurationsdatei heißt „%2“: Der Ordner eines Spiels muss den Namen seiner Konfigurationsdatei tragen.</translation>
    </message>
    <message>
        <source>The TDL file's game folder "%1" is a link, not a folder.</source>
        <translation>Der Spielordner „%1“ der TDL-Datei ist eine Verknüpfung, kein Ordner.</translation>
    </message>
    <message>
        <source>These settings would reach past the game's own drives and were left out:
%1</source>
        <translation>Diese Einstellungen würden über die eigenen Laufwerke des Spiels hinausreichen und wurden weggelassen:
%1</translation>
    </message>
</context>
<context>
    <name>Installation</name>
    <message>
        <source>Another game named "%1" came into the library meanwhile; nothing was changed. Please try again.</source>
        <translation>Ein anderes Spiel namens „%1“ ist inzwischen in die Bibliothek gekommen; nichts wurde geändert. Bitte versuchen Sie es noch einmal.</translation>
    </message>
</context>
<context>
    <name>InstallerTools</name>
    <message>
        <source>Unpacking this installer needs innoextract, which is not installed. Install the package "innoextract" and add the game again.</source>
        <translation>Zum Entpacken dieses Installationsprogramms wird innoextract gebraucht, das nicht installiert ist. Installieren Sie das Paket „innoextract“ und fügen Sie das Spiel erneut hinzu.</translation>
    </message>
    <message>
        <source>innoextract %1.%2 is too old for the store's installers: version %3.%4 or newer is needed. Update the package "innoextract" and add the game again.</source>
        <translation>innoextract %1.%2 ist zu alt für die Installationsprogramme des Shops: Version %3.%4 oder neuer wird gebraucht. Aktualisieren Sie das Paket „innoextract“ und fügen Sie das Spiel erneut hinzu.</translation>
    </message>
</context>
<context>
    <name>ItemSwap</name>
    <message>
        <source>Could not replace %1.</source>
        <translation>%1 konnte nicht ersetzt werden.</translation>
    </message>
    <message>
        <source>Could not put %1 in place.</source>
        <translation>%1 konnte nicht an seinen Platz gebracht werden.</translation>
    </message>
    <message>
        <source>Could not remove the folder %1.</source>
        <translation>Der Ordner %1 konnte nicht entfernt werden.</translation>
    </message>
</context>
<context>
    <name>JobQueue</name>
    <message>
        <source>Adding %1 of %2: %3</source>
        <translation>Füge %1 von %2 hinzu: %3</translation>
    </message>
    <message>
        <source>Exporting %1: %2</source>
        <translation>%1 wird exportiert: %2</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>Export abgebrochen</translation>
    </message>
    <message>
        <source>Importing %1: %2</source>
        <translation>%1 wird importiert: %2</translation>
    </message>
    <message>
        <source>Import cancelled</source>
        <translation>Import abgebrochen</translation>
    </message>
    <message>
        <source>Adding %1: %2</source>
        <translation>%1 wird hinzugefügt: %2</translation>
    </message>
    <message>
        <source>Adding cancelled</source>
        <translation>Hinzufügen abgebrochen</translation>
    </message>
    <message>
        <source>Backing up the saved games of %1: %2</source>
        <translation>Die Spielstände von %1 werden gesichert: %2</translation>
    </message>
    <message>
        <source>Backup cancelled</source>
        <translation>Sicherung abgebrochen</translation>
    </message>
    <message>
        <source>Restoring the saved games of %1: %2</source>
        <translation>Die Spielstände von %1 werden wiederhergestellt: %2</translation>
    </message>
    <message>
        <source>Restore cancelled</source>
        <translation>Wiederherstellen abgebrochen</translation>
    </message>
</context>
<context>
    <name>Launch</name>
    <message>
        <source>Error Launching</source>
        <translation>Fehler beim Starten</translation>
    </message>
    <message>
        <source>DOSBox-X ended right after it started (%1).

%2</source>
        <translation>DOSBox-X hat sich gleich nach dem Start beendet (%1).

%2</translation>
    </message>
    <message>
        <source>DOSBox-X stopped</source>
        <translation>DOSBox-X wurde beendet</translation>
    </message>
    <message>
        <source>Could Not Show Drive C</source>
        <translation>Laufwerk C kann nicht gezeigt werden</translation>
    </message>
    <message>
        <source>No file manager could be started to show the game's folder. Its files are in:
%1</source>
        <translation>Es konnte keine Dateiverwaltung gestartet werden, um den Ordner des Spiels zu zeigen. Seine Dateien liegen in:
%1</translation>
    </message>
    <message>
        <source>Play Time Not Recorded</source>
        <translation>Spielzeit nicht festgehalten</translation>
    </message>
    <message>
        <source>Already Running</source>
        <translation>Läuft bereits</translation>
    </message>
    <message>
        <source>"%1" is already running in DOSBox-X. Start another copy of it?</source>
        <translation>„%1“ läuft bereits in DOSBox-X. Eine weitere Kopie starten?</translation>
    </message>
    <message>
        <source>Start Another</source>
        <translation>Weitere starten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Please select a game from the list to run the live test.</source>
        <translation>Bitte wählen Sie ein Spiel aus der Liste, um es zu starten.</translation>
    </message>
    <message>
        <source>Please select a game from the list to launch the setup.</source>
        <translation>Bitte wählen Sie ein Spiel aus der Liste, um sein Setup zu starten.</translation>
    </message>
    <message>
        <source>Please select a game from the list to launch MS-DOS.</source>
        <translation>Bitte wählen Sie ein Spiel aus der Liste, um MS-DOS zu starten.</translation>
    </message>
    <message>
        <source>No Selection</source>
        <translation>Keine Auswahl</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Could not read the config file.</source>
        <translation>Die Konfigurationsdatei konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>No Game Program</source>
        <translation>Kein Spielprogramm</translation>
    </message>
    <message>
        <source>Tandril does not know which program starts "%1". Open the game's Settings, choose its program under Game, save, and press Play again.</source>
        <translation>Tandril weiß nicht, welches Programm „%1“ startet. Öffnen Sie die Einstellungen des Spiels, wählen Sie sein Programm unter Spiel, sichern Sie und drücken Sie erneut auf Spielen.</translation>
    </message>
    <message>
        <source>Game Program Not Found</source>
        <translation>Spielprogramm nicht gefunden</translation>
    </message>
    <message>
        <source>The game's program %1 is no longer in its folder (drive C). Choose it again in the game's Settings.</source>
        <translation>Das Programm des Spiels, %1, ist nicht mehr in seinem Ordner (Laufwerk C). Wählen Sie es in den Einstellungen des Spiels erneut.</translation>
    </message>
    <message>
        <source>No Setup</source>
        <translation>Kein Setup</translation>
    </message>
    <message>
        <source>No setup path found in the selected config.</source>
        <translation>In der gewählten Konfiguration ist kein Setup-Pfad angegeben.</translation>
    </message>
    <message>
        <source>File Not Found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>The setup file was not found at:
%1</source>
        <translation>Die Setup-Datei wurde nicht gefunden unter:
%1</translation>
    </message>
    <message>
        <source>Cannot Mount</source>
        <translation>Einbinden nicht möglich</translation>
    </message>
    <message>
        <source>DOSBox-X cannot use this path as it is, and there is no private folder for a short link to it:
%1</source>
        <translation>DOSBox-X kann diesen Pfad so nicht verwenden, und es gibt keinen privaten Ordner für eine kurze Verknüpfung dorthin:
%1</translation>
    </message>
    <message>
        <source>Too Many Start-up Commands</source>
        <translation>Zu viele Startbefehle</translation>
    </message>
    <message>
        <source>DOSBox-X runs at most 11 start-up commands; this launch needs %1. Remove some lines from the game's start-up commands.</source>
        <translation>DOSBox-X führt höchstens 11 Startbefehle aus; dieser Start braucht %1. Entfernen Sie einige Zeilen aus den Startbefehlen des Spiels.</translation>
    </message>
    <message>
        <source>The folder for the game's saved games could not be made: %1</source>
        <translation>Der Ordner für die Spielstände des Spiels konnte nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>Show Drive C</source>
        <translation>Laufwerk C zeigen</translation>
    </message>
    <message>
        <source>On drive C, "%1" sees its folder as it came with what it wrote laid over it. What it wrote (its saved games, the settings of its setup) is kept apart, in its saves folder.</source>
        <translation>Auf Laufwerk C sieht „%1“ seinen Ordner, wie er kam, mit dem darübergelegt, was es geschrieben hat. Was es schrieb (seine Spielstände, die Einstellungen seines Setups), liegt getrennt in seinem Spielstandordner.</translation>
    </message>
    <message>
        <source>Show the Game's Folder</source>
        <translation>Ordner des Spiels zeigen</translation>
    </message>
    <message>
        <source>Show What It Wrote</source>
        <translation>Zeigen, was es schrieb</translation>
    </message>
</context>
<context>
    <name>LibraryActions</name>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Spielen</translation>
    </message>
    <message>
        <source>Run &amp;Setup</source>
        <translation>Set&amp;up starten</translation>
    </message>
    <message>
        <source>&amp;DOS Prompt</source>
        <translation>&amp;DOS-Eingabeaufforderung</translation>
    </message>
    <message>
        <source>Show Drive &amp;C</source>
        <translation>Laufwerk &amp;C zeigen</translation>
    </message>
    <message>
        <source>Se&amp;ttings…</source>
        <translation>Ein&amp;stellungen…</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exportieren…</translation>
    </message>
    <message>
        <source>De&amp;lete…</source>
        <translation>&amp;Löschen…</translation>
    </message>
    <message>
        <source>&amp;Add Game…</source>
        <translation>Spiel &amp;hinzufügen…</translation>
    </message>
    <message>
        <source>Add Game from &amp;Folder…</source>
        <translation>Spiel aus &amp;Ordner hinzufügen…</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importieren…</translation>
    </message>
    <message>
        <source>&amp;MT-32 ROM Folder</source>
        <translation>&amp;MT-32-ROM-Ordner</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>Such&amp;en</translation>
    </message>
    <message>
        <source>&amp;About Tandril</source>
        <translation>Ü&amp;ber Tandril</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>S&amp;piel</translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation>&amp;Bibliothek</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Einstellungen …</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Show &amp;Details</source>
        <translation>&amp;Details anzeigen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Add &amp;Games from Folder…</source>
        <translation>&amp;Spiele aus Ordner hinzufügen …</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Choose &amp;Program…</source>
        <translation>&amp;Programm wählen…</translation>
    </message>
    <message>
        <source>Tandril does not know which program starts this game yet: choose it, or drop it onto drive C in the game's settings.</source>
        <translation>Tandril weiß noch nicht, welches Programm dieses Spiel startet: Wählen Sie es, oder legen Sie es in den Einstellungen des Spiels auf Laufwerk C ab.</translation>
    </message>
    <message>
        <source>Add Game from &amp;File…</source>
        <translation>Spiel aus &amp;Datei hinzufügen…</translation>
    </message>
    <message>
        <source>Saved &amp;Games…</source>
        <translation>&amp;Spielstände …</translation>
    </message>
</context>
<context>
    <name>LibraryFilterModel</name>
    <message>
        <source>1 game</source>
        <translation>1 Spiel</translation>
    </message>
    <message>
        <source>%1 games</source>
        <translation>%1 Spiele</translation>
    </message>
    <message>
        <source>%1 of 1 game</source>
        <translation>%1 von 1 Spiel</translation>
    </message>
    <message>
        <source>%1 of %2 games</source>
        <translation>%1 von %2 Spielen</translation>
    </message>
</context>
<context>
    <name>LibraryLock</name>
    <message>
        <source>Another Tandril is changing the library right now. Please try again when it has finished.</source>
        <translation>Ein anderes Tandril ändert gerade die Bibliothek. Bitte versuchen Sie es erneut, wenn es fertig ist.</translation>
    </message>
    <message>
        <source>The library folder %1 cannot be written.</source>
        <translation>In den Bibliotheksordner %1 kann nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>LibraryTableModel</name>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Developer</source>
        <translation>Entwickler</translation>
    </message>
    <message>
        <source>Last Played</source>
        <translation>Zuletzt gespielt</translation>
    </message>
    <message>
        <source>Play Time</source>
        <translation>Spielzeit</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Tandril</source>
        <translation>Tandril</translation>
    </message>
    <message>
        <source>The MT-32 ROM files are in place.</source>
        <translation>Die MT-32-ROM-Dateien sind vorhanden.</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Achtung</translation>
    </message>
    <message>
        <source>About Tandril</source>
        <translation>Über Tandril</translation>
    </message>
    <message>
        <source>Tandril %1
A library of DOS games for DOSBox-X.

DOSBox-X: %2</source>
        <translation>Tandril %1
Eine Bibliothek von DOS-Spielen für DOSBox-X.

DOSBox-X: %2</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>No Selection</source>
        <translation>Keine Auswahl</translation>
    </message>
    <message>
        <source>Please select an entry from the list before opening preferences.</source>
        <translation>Bitte wählen Sie einen Eintrag aus der Liste, bevor Sie die Einstellungen öffnen.</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Wird abgebrochen…</translation>
    </message>
    <message>
        <source>Select TDL file to import</source>
        <translation>TDL-Datei zum Importieren auswählen</translation>
    </message>
    <message>
        <source>Choose the Game's Folder</source>
        <translation>Ordner des Spiels auswählen</translation>
    </message>
    <message>
        <source>Search games</source>
        <translation>Spiele suchen</translation>
    </message>
    <message>
        <source>Play Game</source>
        <translation>Spielen</translation>
    </message>
    <message>
        <source>Start the game in DOSBox-X (Return)</source>
        <translation>Das Spiel in DOSBox-X starten (Eingabetaste)</translation>
    </message>
    <message>
        <source>Run Setup</source>
        <translation>Setup starten</translation>
    </message>
    <message>
        <source>Start the game's setup program</source>
        <translation>Das Setup-Programm des Spiels starten</translation>
    </message>
    <message>
        <source>DOS Prompt</source>
        <translation>DOS-Eingabe</translation>
    </message>
    <message>
        <source>Start a DOS prompt with the game's drives</source>
        <translation>Eine DOS-Eingabeaufforderung mit den Laufwerken des Spiels starten</translation>
    </message>
    <message>
        <source>Add Game…</source>
        <translation>Spiel hinzufügen…</translation>
    </message>
    <message>
        <source>Add a new game (Ctrl+N)</source>
        <translation>Ein neues Spiel hinzufügen (Strg+N)</translation>
    </message>
    <message>
        <source>Add from Folder…</source>
        <translation>Aus Ordner hinzufügen…</translation>
    </message>
    <message>
        <source>Add a game from its folder or .zip, with its program found (Ctrl+Shift+N); folders and .zip files can also be dropped on the list</source>
        <translation>Ein Spiel aus seinem Ordner oder seiner .zip-Datei hinzufügen, samt gefundenem Programm (Strg+Umschalt+N); Ordner und .zip-Dateien lassen sich auch auf der Liste ablegen</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Edit the game's settings (Ctrl+E)</source>
        <translation>Die Einstellungen des Spiels bearbeiten (Strg+E)</translation>
    </message>
    <message>
        <source>Delete…</source>
        <translation>Löschen…</translation>
    </message>
    <message>
        <source>Delete the game and its folder (Delete)</source>
        <translation>Das Spiel und seinen Ordner löschen (Entf)</translation>
    </message>
    <message>
        <source>Show Drive C</source>
        <translation>Laufwerk C zeigen</translation>
    </message>
    <message>
        <source>Show the game folder in the file manager</source>
        <translation>Den Spielordner in der Dateiverwaltung zeigen</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <source>Pack the game into a .tdl file on the Desktop (Ctrl+Shift+E)</source>
        <translation>Das Spiel in eine .tdl-Datei auf dem Schreibtisch packen (Strg+Umschalt+E)</translation>
    </message>
    <message>
        <source>Import…</source>
        <translation>Importieren…</translation>
    </message>
    <message>
        <source>Bring a .tdl file into the library (Ctrl+I)</source>
        <translation>Eine .tdl-Datei in die Bibliothek übernehmen (Strg+I)</translation>
    </message>
    <message>
        <source>MT-32 ROMs</source>
        <translation>MT-32-ROMs</translation>
    </message>
    <message>
        <source>Open the folder for the two MT-32 ROM files</source>
        <translation>Den Ordner für die beiden MT-32-ROM-Dateien öffnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stop the export or import and leave everything as it was</source>
        <translation>Export oder Import anhalten und alles lassen, wie es war</translation>
    </message>
    <message>
        <source>Please select a game to export.</source>
        <translation>Bitte wählen Sie ein Spiel zum Exportieren.</translation>
    </message>
    <message>
        <source>Export Game</source>
        <translation>Spiel exportieren</translation>
    </message>
    <message>
        <source>Choose a Folder of Games</source>
        <translation>Einen Ordner mit Spielen wählen</translation>
    </message>
    <message>
        <source>Looking for games in %1…</source>
        <translation>Suche Spiele in %1 …</translation>
    </message>
    <message>
        <source>No Games Found</source>
        <translation>Keine Spiele gefunden</translation>
    </message>
    <message>
        <source>%1 holds no folders or .zip files to make games of.</source>
        <translation>%1 enthält keine Ordner oder .zip-Dateien, aus denen Spiele werden könnten.</translation>
    </message>
    <message>
        <source>Some Games Were Not Added</source>
        <translation>Einige Spiele wurden nicht hinzugefügt</translation>
    </message>
    <message>
        <source>Choose the Game's Program</source>
        <translation>Programm des Spiels wählen</translation>
    </message>
    <message>
        <source>Program Not Set</source>
        <translation>Programm nicht festgelegt</translation>
    </message>
    <message>
        <source>Choose Program…</source>
        <translation>Programm wählen…</translation>
    </message>
    <message>
        <source>Choose the file that starts the game</source>
        <translation>Die Datei wählen, die das Spiel startet</translation>
    </message>
    <message>
        <source>MT-32 ROM Folder</source>
        <translation>MT-32-ROM-Ordner</translation>
    </message>
    <message>
        <source>No file manager could be started. Put the ROM files into this folder:
%1</source>
        <translation>Es konnte kein Dateimanager gestartet werden. Legen Sie die ROM-Dateien in diesen Ordner:
%1</translation>
    </message>
    <message>
        <source>Choose the Game's .zip File, Bundle, Installer or DOSBox Configuration</source>
        <translation>.zip-Datei, Paket, Installationsprogramm oder DOSBox-Konfiguration des Spiels wählen</translation>
    </message>
</context>
<context>
    <name>Mt32Folder</name>
    <message>
        <source>%1 has %2 bytes, which is the size of no such ROM.</source>
        <translation>%1 hat %2 Bytes, das ist die Größe keines solchen ROMs.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 holds no ROM data (the same byte throughout).</source>
        <translation>%1 enthält keine ROM-Daten (durchgehend dasselbe Byte).</translation>
    </message>
    <message>
        <source>DOSBox-X needs MT32_CONTROL.ROM and MT32_PCM.ROM, or CM32L_CONTROL.ROM and CM32L_PCM.ROM, in %1.</source>
        <translation>DOSBox-X braucht MT32_CONTROL.ROM und MT32_PCM.ROM oder CM32L_CONTROL.ROM und CM32L_PCM.ROM in %1.</translation>
    </message>
</context>
<context>
    <name>OtherSettingsPanel</name>
    <message>
        <source>Other DOSBox-X settings</source>
        <translation>Weitere DOSBox-X-Einstellungen</translation>
    </message>
    <message>
        <source>[section]
key=value</source>
        <translation>[abschnitt]
schlüssel=wert</translation>
    </message>
    <message>
        <source>Help and checks come from DOSBox-X, but its reference is not available: %1</source>
        <translation>Hilfe und Prüfungen kommen von DOSBox-X, seine Referenz ist aber nicht verfügbar: %1</translation>
    </message>
    <message>
        <source>Default: %1</source>
        <translation>Standard: %1</translation>
    </message>
    <message>
        <source>Values: %1</source>
        <translation>Werte: %1</translation>
    </message>
</context>
<context>
    <name>OverlaySaves</name>
    <message>
        <source>The saved game "%1" has a name that is no text.</source>
        <translation>Der Spielstand „%1“ hat einen Namen, der kein Text ist.</translation>
    </message>
    <message>
        <source>Could not link %1 to %2.</source>
        <translation>%1 konnte nicht mit %2 verknüpft werden.</translation>
    </message>
</context>
<context>
    <name>Paths</name>
    <message>
        <source>The name of your home folder, %1, is not UTF-8 text, so Tandril cannot keep its library there. Rename the folder or start Tandril with another HOME.</source>
        <translation>Der Name Ihres persönlichen Ordners, %1, ist kein UTF-8-Text, daher kann Tandril seine Bibliothek dort nicht führen. Benennen Sie den Ordner um oder starten Sie Tandril mit einem anderen HOME.</translation>
    </message>
</context>
<context>
    <name>PlayRecord</name>
    <message>
        <source>less than a minute</source>
        <translation>weniger als eine Minute</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 Std. %2 Min.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>No Shader</source>
        <comment>No shader selected</comment>
        <translation>Kein Shader</translation>
    </message>
    <message>
        <source>Game Settings</source>
        <translation>Spieleinstellungen</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>GAME.EXE, a path below the game folder, or C:\GAME\GAME.EXE</source>
        <translation>SPIEL.EXE, ein Pfad unterhalb des Spielordners oder C:\SPIEL\SPIEL.EXE</translation>
    </message>
    <message>
        <source>No CD image</source>
        <translation>Kein CD-Abbild</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>Eject</source>
        <translation>Auswerfen</translation>
    </message>
    <message>
        <source>Show Floppy Folder</source>
        <translation>Diskettenordner zeigen</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Program:</source>
        <translation>Programm:</translation>
    </message>
    <message>
        <source>Setup:</source>
        <translation>Setup:</translation>
    </message>
    <message>
        <source>CD image:</source>
        <translation>CD-Abbild:</translation>
    </message>
    <message>
        <source>Floppies:</source>
        <translation>Disketten:</translation>
    </message>
    <message>
        <source>auto</source>
        <translation>auto</translation>
    </message>
    <message>
        <source>1024 × 768</source>
        <translation>1024 × 768</translation>
    </message>
    <message>
        <source>Emulator</source>
        <translation>Emulator</translation>
    </message>
    <message>
        <source>Memory:</source>
        <translation>Speicher:</translation>
    </message>
    <message>
        <source>Display:</source>
        <translation>Anzeige:</translation>
    </message>
    <message>
        <source>Window size:</source>
        <translation>Fenstergröße:</translation>
    </message>
    <message>
        <source>Shader:</source>
        <translation>Shader:</translation>
    </message>
    <message>
        <source>Roland MT-32 music</source>
        <translation>Roland-MT-32-Musik</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Standardwerte</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>IRQ</source>
        <translation>IRQ</translation>
    </message>
    <message>
        <source>DMA</source>
        <translation>DMA</translation>
    </message>
    <message>
        <source>High DMA</source>
        <translation>High-DMA</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Card:</source>
        <translation>Karte:</translation>
    </message>
    <message>
        <source>Resources:</source>
        <translation>Ressourcen:</translation>
    </message>
    <message>
        <source>Start-up commands</source>
        <translation>Startbefehle</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Stop Copying</source>
        <translation>Kopieren anhalten</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Choose Game EXE</source>
        <translation>Spiel-EXE auswählen</translation>
    </message>
    <message>
        <source>Choose Setup EXE</source>
        <translation>Setup-EXE auswählen</translation>
    </message>
    <message>
        <source>Choose CD Image</source>
        <translation>ISO-Datei auswählen</translation>
    </message>
    <message>
        <source>Please wait: files are still being copied.</source>
        <translation>Bitte warten: Dateien werden noch kopiert.</translation>
    </message>
    <message>
        <source>File/Folder copied</source>
        <translation>Datei/Ordner kopiert</translation>
    </message>
    <message>
        <source>Files/Folders copied</source>
        <translation>Dateien/Ordner kopiert</translation>
    </message>
    <message>
        <source>DOSBox-X Would Not Take These Settings</source>
        <translation>DOSBox-X würde diese Einstellungen nicht übernehmen</translation>
    </message>
    <message>
        <source>Save Anyway</source>
        <translation>Trotzdem speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>DOSBox-X was not found.</source>
        <translation>DOSBox-X wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>DOSBox-X is reading the settings…</source>
        <translation>DOSBox-X liest die Einstellungen …</translation>
    </message>
    <message>
        <source>Save changes to "%1"?</source>
        <translation>Änderungen an „%1“ sichern?</translation>
    </message>
    <message>
        <source>Your changes to the game's settings are lost unless you save them.</source>
        <translation>Ihre Änderungen an den Einstellungen des Spiels gehen verloren, wenn Sie sie nicht sichern.</translation>
    </message>
    <message>
        <source>Don't Save</source>
        <translation>Nicht sichern</translation>
    </message>
    <message>
        <source>Lines That Are No Settings</source>
        <translation>Zeilen, die keine Einstellungen sind</translation>
    </message>
    <message>
        <source>These lines of the other DOSBox-X settings are no settings and would be lost:
%1</source>
        <translation>Diese Zeilen der weiteren DOSBox-X-Einstellungen sind keine Einstellungen und gingen verloren:
%1</translation>
    </message>
    <message>
        <source>Let this game reach other folders on this computer</source>
        <translation>Diesem Spiel andere Ordner dieses Computers erlauben</translation>
    </message>
    <message>
        <source>Without it, the game and its start-up commands see only its own drives: they cannot mount other folders, start programs of this computer or write to files through its ports. Turn it on only for a game you trust.</source>
        <translation>Ohne dies sehen das Spiel und seine Startbefehle nur seine eigenen Laufwerke: Sie können keine anderen Ordner einbinden, keine Programme dieses Computers starten und nicht über ihre Schnittstellen in Dateien schreiben. Schalten Sie es nur für ein Spiel ein, dem Sie vertrauen.</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>auto, max or a number</source>
        <translation>auto, max oder eine Zahl</translation>
    </message>
    <message>
        <source>DOS commands to run before the game starts, one a line</source>
        <translation>DOS-Befehle vor dem Start des Spiels, einer pro Zeile</translation>
    </message>
    <message>
        <source>DOS commands to run after the game ends, one a line</source>
        <translation>DOS-Befehle nach dem Ende des Spiels, einer pro Zeile</translation>
    </message>
    <message>
        <source>Before the game starts:</source>
        <translation>Bevor das Spiel startet:</translation>
    </message>
    <message>
        <source>After the game ends:</source>
        <translation>Nachdem das Spiel endet:</translation>
    </message>
</context>
<context>
    <name>ProgramChoice</name>
    <message>
        <source>The game's program must be a file in its folder, drive C: %1</source>
        <translation>Das Programm des Spiels muss eine Datei in seinem Ordner sein, Laufwerk C: %1</translation>
    </message>
    <message>
        <source>The name "%1" cannot stand in a configuration file.</source>
        <translation>Der Name „%1“ kann nicht in einer Konfigurationsdatei stehen.</translation>
    </message>
</context>
<context>
    <name>ProgressJob</name>
    <message>
        <source>It needs %1 of free space, but only %2 is free on %3.</source>
        <translation>Es werden %1 freier Speicherplatz benötigt, auf %3 sind aber nur %2 frei.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 ist ein Ordner.</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>Datei existiert</translation>
    </message>
    <message>
        <source>%1 already exists. Do you want to replace it?</source>
        <translation>%1 existiert bereits. Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Prompter</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>ReplaceQuestion</name>
    <message>
        <source>Replace moves it to the Trash with its folder and all its files, saved games included.</source>
        <translation>„Ersetzen“ verschiebt es mit seinem Ordner und allen seinen Dateien, Spielstände eingeschlossen, in den Papierkorb.</translation>
    </message>
    <message>
        <source>Replace deletes it for good with its folder and all its files, saved games included.</source>
        <translation>„Ersetzen“ löscht es endgültig mit seinem Ordner und allen seinen Dateien, Spielstände eingeschlossen.</translation>
    </message>
    <message>
        <source>Game Already in Library</source>
        <translation>Spiel schon in der Bibliothek</translation>
    </message>
    <message>
        <source>A game named "%1" is already in your library.</source>
        <translation>Ein Spiel namens „%1“ ist schon in Ihrer Bibliothek.</translation>
    </message>
    <message>
        <source>Keep Both</source>
        <translation>Beide behalten</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SavedGames</name>
    <message>
        <source>There is no Trash to keep the saved games in; they were left as they are.</source>
        <translation>Es gibt keinen Papierkorb, der die Spielstände aufnehmen könnte; sie bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>Nothing to Reset</source>
        <translation>Nichts zurückzusetzen</translation>
    </message>
    <message>
        <source>"%1" is as it came: it has written nothing.</source>
        <translation>„%1“ ist, wie es kam: Es hat nichts geschrieben.</translation>
    </message>
    <message>
        <source>Reset to Original?</source>
        <translation>Auf den Originalzustand zurücksetzen?</translation>
    </message>
    <message>
        <source>Everything "%1" wrote is moved to the Trash: its saved games, the settings its setup program saved, and what its start-up commands changed. The game is then as it came.</source>
        <translation>Alles, was „%1“ geschrieben hat, kommt in den Papierkorb: seine Spielstände, die Einstellungen, die sein Setup-Programm gespeichert hat, und was seine Startbefehle geändert haben. Das Spiel ist dann, wie es kam.</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Reset Failed</source>
        <translation>Zurücksetzen fehlgeschlagen</translation>
    </message>
    <message>
        <source>The game %1 is no longer in the library.</source>
        <translation>Das Spiel %1 ist nicht mehr in der Bibliothek.</translation>
    </message>
</context>
<context>
    <name>SavedGamesDialog</name>
    <message>
        <source>Saved Games of %1</source>
        <translation>Spielstände von %1</translation>
    </message>
    <message>
        <source>File on Drive C</source>
        <translation>Datei auf Laufwerk C</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Geschrieben</translation>
    </message>
    <message>
        <source>Back Up…</source>
        <translation>Sichern …</translation>
    </message>
    <message>
        <source>Restore…</source>
        <translation>Wiederherstellen …</translation>
    </message>
    <message>
        <source>Reset to Original…</source>
        <translation>Auf Original zurücksetzen …</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>deleted</source>
        <translation>gelöscht</translation>
    </message>
    <message>
        <source>What "%1" wrote on drive C is kept apart from the game, which stays as it came. Its start-up commands and its setup program write here too.</source>
        <translation>Was „%1“ auf Laufwerk C geschrieben hat, liegt getrennt vom Spiel, das bleibt, wie es kam. Auch seine Startbefehle und sein Setup-Programm schreiben hierher.</translation>
    </message>
    <message>
        <source>"%1" has written nothing yet: it is as it came.</source>
        <translation>„%1“ hat noch nichts geschrieben: Es ist, wie es kam.</translation>
    </message>
    <message>
        <source>Back Up Saved Games</source>
        <translation>Spielstände sichern</translation>
    </message>
    <message>
        <source>Restore Saved Games</source>
        <translation>Spielstände wiederherstellen</translation>
    </message>
    <message>
        <source>Could Not Show the Saved Games</source>
        <translation>Spielstände konnten nicht gezeigt werden</translation>
    </message>
    <message>
        <source>No file manager could be started. The saved games are in:
%1</source>
        <translation>Es konnte kein Dateimanager gestartet werden. Die Spielstände liegen in:
%1</translation>
    </message>
</context>
<context>
    <name>SavesArchiveJob</name>
    <message>
        <source>%1 saved games</source>
        <translation>%1 Spielstände</translation>
    </message>
    <message>
        <source>Restore Failed</source>
        <translation>Wiederherstellen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Backup Failed</source>
        <translation>Sicherung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Nothing to Back Up</source>
        <translation>Nichts zu sichern</translation>
    </message>
    <message>
        <source>The game has written nothing yet.</source>
        <translation>Das Spiel hat noch nichts geschrieben.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The backup of %1 does not fit. %2</source>
        <translation>Die Sicherung von %1 passt nicht. %2</translation>
    </message>
    <message>
        <source>Could not prepare %1 for the archive.</source>
        <translation>%1 konnte nicht für das Archiv vorbereitet werden.</translation>
    </message>
    <message>
        <source>zip could not make the backup of %1 (exit status %2).</source>
        <translation>zip konnte die Sicherung von %1 nicht erstellen (Status %2).</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Backup Successful</source>
        <translation>Sicherung erfolgreich</translation>
    </message>
    <message>
        <source>File saved:
%1</source>
        <translation>Datei gespeichert:
%1</translation>
    </message>
    <message>
        <source>%1 is not a file.</source>
        <translation>%1 ist keine Datei.</translation>
    </message>
    <message>
        <source>Restore Saved Games?</source>
        <translation>Spielstände wiederherstellen?</translation>
    </message>
    <message>
        <source>The game's saved games are replaced by those of the backup. Its current ones are moved to the Trash.</source>
        <translation>Die Spielstände des Spiels werden durch die der Sicherung ersetzt. Die jetzigen kommen in den Papierkorb.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>%1 is not a backup of saved games.</source>
        <translation>%1 ist keine Sicherung von Spielständen.</translation>
    </message>
    <message>
        <source>The backup holds "%1", which is no saved game.</source>
        <translation>Die Sicherung enthält „%1“, das kein Spielstand ist.</translation>
    </message>
    <message>
        <source>The backup holds "%1", which would be written outside its folder.</source>
        <translation>Die Sicherung enthält „%1“, das außerhalb ihres Ordners geschrieben würde.</translation>
    </message>
    <message>
        <source>The saved games do not fit. %1</source>
        <translation>Die Spielstände passen nicht. %1</translation>
    </message>
    <message>
        <source>unzip could not read the backup (exit status %1).</source>
        <translation>unzip konnte die Sicherung nicht lesen (Status %1).</translation>
    </message>
    <message>
        <source>The backup holds no saved games.</source>
        <translation>Die Sicherung enthält keine Spielstände.</translation>
    </message>
    <message>
        <source>The backup holds the link "%1"; saved games are never links.</source>
        <translation>Die Sicherung enthält die Verknüpfung „%1“; Spielstände sind nie Verknüpfungen.</translation>
    </message>
    <message>
        <source>Saved Games Restored</source>
        <translation>Spielstände wiederhergestellt</translation>
    </message>
    <message>
        <source>%1 has the saved games of the backup.</source>
        <translation>%1 hat die Spielstände der Sicherung.</translation>
    </message>
</context>
<context>
    <name>SettingsCommands</name>
    <message>
        <source>%1: settings must not contain line breaks, tabs or other control characters.</source>
        <translation>%1: Einstellungen dürfen keine Zeilenumbrüche, Tabulatoren oder andere Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>%1 is no DOSBox-X setting.</source>
        <translation>%1 ist keine Einstellung von DOSBox-X.</translation>
    </message>
    <message>
        <source>Tandril keeps the game's title and programs in [tandril]: change them in the game's settings window, or make a new game with "tandril add".</source>
        <translation>Tandril verwaltet Titel und Programme des Spiels in [tandril]: Ändern Sie sie im Einstellungsfenster des Spiels oder legen Sie mit „tandril add“ ein neues Spiel an.</translation>
    </message>
    <message>
        <source>Tandril writes the start-up commands itself when it starts a game ("tandril launch"): change them in the game's settings window.</source>
        <translation>Tandril schreibt die Startbefehle selbst, wenn es ein Spiel startet („tandril launch“): Ändern Sie sie im Einstellungsfenster des Spiels.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>SettingsSaver</name>
    <message>
        <source>Invalid Title</source>
        <translation>Ungültiger Titel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Could Not Save</source>
        <translation>Speichern nicht möglich</translation>
    </message>
    <message>
        <source>The settings could not be written to %1:
%2</source>
        <translation>Die Einstellungen konnten nicht nach %1 geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>Invalid Details</source>
        <translation>Ungültige Angaben</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>CD image</source>
        <translation>CD-Abbild</translation>
    </message>
    <message>
        <source>Shader</source>
        <translation>Shader</translation>
    </message>
    <message>
        <source>%1 must not contain line breaks, tabs or other control characters: "%2".</source>
        <translation>%1 darf keine Zeilenumbrüche, Tabulatoren oder anderen Steuerzeichen enthalten: „%2“.</translation>
    </message>
    <message>
        <source>Invalid Settings</source>
        <translation>Ungültige Einstellungen</translation>
    </message>
    <message>
        <source>Settings Changed Elsewhere</source>
        <translation>Einstellungen anderswo geändert</translation>
    </message>
    <message>
        <source>The settings of "%1" were changed by another program since this window opened. Keep the settings shown here, or reload the changed ones?</source>
        <translation>Die Einstellungen von „%1“ wurden von einem anderen Programm geändert, seit dieses Fenster offen ist. Die hier gezeigten Einstellungen behalten oder die geänderten neu laden?</translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation>Meine behalten</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SharedSettings</name>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 is being changed by another program that does not finish.</source>
        <translation>%1 wird von einem anderen Programm geändert, das nicht fertig wird.</translation>
    </message>
    <message>
        <source>%1 could not be written; the disk may be full.</source>
        <translation>%1 konnte nicht geschrieben werden; der Datenträger ist vielleicht voll.</translation>
    </message>
</context>
<context>
    <name>SoundMenus</name>
    <message>
        <source>Reset Soundcard Settings</source>
        <translation>Soundkarten-Einstellungen zurücksetzen</translation>
    </message>
    <message>
        <source>All soundcard settings will be reset to the default Sound Blaster 1 values. Do you want to continue?</source>
        <translation>Alle Soundkarten-Einstellungen werden auf die Standardwerte der Sound Blaster 1 zurückgesetzt. Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SoundSettings</name>
    <message>
        <source>None</source>
        <comment>no sound card</comment>
        <translation>Keine</translation>
    </message>
</context>
<context>
    <name>StagingFolder</name>
    <message>
        <source>Could not create a working folder in %1.</source>
        <translation>In %1 konnte kein Arbeitsordner angelegt werden.</translation>
    </message>
</context>
<context>
    <name>StartupTranslation</name>
    <message>
        <source>%1 — not understood</source>
        <translation>%1 — nicht verstanden</translation>
    </message>
    <message>
        <source>%1 — Tandril mounts only the game's folder and its images</source>
        <translation>%1 — Tandril bindet nur den Ordner des Spiels und seine Abbilder ein</translation>
    </message>
    <message>
        <source>%1 — no such folder</source>
        <translation>%1 — kein solcher Ordner</translation>
    </message>
    <message>
        <source>%1 — no such image: %2</source>
        <translation>%1 — kein solches Abbild: %2</translation>
    </message>
    <message>
        <source>%1 — Tandril mounts only CD and floppy images</source>
        <translation>%1 — Tandril bindet nur CD- und Diskettenabbilder ein</translation>
    </message>
    <message>
        <source>%1 — a program that is not on drive C</source>
        <translation>%1 — ein Programm, das nicht auf Laufwerk C liegt</translation>
    </message>
    <message>
        <source>%1 — no such program on drive C</source>
        <translation>%1 — kein solches Programm auf Laufwerk C</translation>
    </message>
    <message>
        <source>%1 — the program's arguments (%2): Tandril starts it without them</source>
        <translation>%1 — die Argumente des Programms (%2): Tandril startet es ohne sie</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The file is too large.</source>
        <translation>Die Datei ist zu groß.</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <translation>Die Datei ist kein gültiger UTF-8-Text.</translation>
    </message>
</context>
<context>
    <name>TitleChange</name>
    <message>
        <source>Rename Not Possible</source>
        <translation>Umbenennen nicht möglich</translation>
    </message>
    <message>
        <source>A configuration or folder with the new name already exists. Please delete it before renaming or choose another name.</source>
        <translation>Eine Konfiguration oder ein Ordner mit dem neuen Namen existiert bereits. Bitte löschen Sie ihn vor dem Umbenennen oder wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Rename Failed</source>
        <translation>Umbenennen fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>Trash</name>
    <message>
        <source>Could not move %1 to the Trash: %2</source>
        <translation>%1 konnte nicht in den Papierkorb verschoben werden: %2</translation>
    </message>
    <message>
        <source>its folder cannot be made</source>
        <translation>ihr Ordner kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>WatchedStart</name>
    <message>
        <source>crashed</source>
        <translation>abgestürzt</translation>
    </message>
    <message>
        <source>exit status %1</source>
        <translation>Exit-Status %1</translation>
    </message>
</context>
</TS>