<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>jxtpack</name>
    <message>
        <source>Fehler beim Kopieren</source>
        <translation>Error while copying</translation>
    </message>
    <message>
        <source>Datei enthält kein Icon</source>
        <translation>The file contains no icon</translation>
    </message>
    <message>
        <source>Datei kann nicht konvertiert werden</source>
        <translation>The file cannot be converted</translation>
    </message>
    <message>
        <source>Hint String Editor</source>
        <translation>Hint String Editor</translation>
    </message>
    <message>
        <source>0 Zeilen</source>
        <translation>0 lines</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Hint Testen</source>
        <translation>Test hint</translation>
    </message>
    <message>
        <source>Animations-Editor

Die Animationsbitmap wird mit den Schiebern Cols und Rows in Spalten und Reihen von Einzelbildern geteilt. Ein Bild aus der Dateiliste oder den Vorschaubildern, auf das Raster gezogen, ersetzt das gewählte Einzelbild; ein Doppelklick auf ein Bild ersetzt die ganze Animation. Die rechte Maustaste öffnet das Menü des Rasters und das Menü der Bilderlisten.</source>
        <translation>Animation editor

The scroll bars Cols and Rows divide the animation bitmap into columns and rows of single pictures. A picture from the file list or the thumbnails dragged onto the grid replaces the selected single picture; a double click on a picture replaces the whole animation. The right mouse button opens the menu of the grid and the menu of the picture lists.</translation>
    </message>
    <message>
        <source>TJXAnimate Animations-Editor Stand 31.03.1997</source>
        <translation>TJXAnimate animation editor as of 31.03.1997</translation>
    </message>
    <message>
        <source>Alle Bilder löschen</source>
        <translation>Delete all pictures</translation>
    </message>
    <message>
        <source>Farbübersetzung</source>
        <translation>Colour translation</translation>
    </message>
    <message>
        <source>Animation speichern unter...</source>
        <translation>Save animation as...</translation>
    </message>
    <message>
        <source>Verzeichnis wählen</source>
        <translation>Choose folder</translation>
    </message>
    <message>
        <source>Vorschaubilder</source>
        <translation>Thumbnails</translation>
    </message>
    <message>
        <source>Bitmap|*.BMP|Alle Dateien|*.*</source>
        <translation>Bitmap|*.BMP|All files|*.*</translation>
    </message>
    <message>
        <source>Rechte Maustaste für Popupmenü|Rechte Maustaste für Popupmenü</source>
        <translation>Right mouse button for the pop-up menu|Right mouse button for the pop-up menu</translation>
    </message>
    <message>
        <source>Animationsabschnitt-Daten :</source>
        <translation>Animation frame data:</translation>
    </message>
    <message>
        <source>Aufteilung der Bitmap in Spalten ändern</source>
        <translation>Change how the bitmap is divided into columns</translation>
    </message>
    <message>
        <source>Aufteilung der Bitmap in Reihen ändern</source>
        <translation>Change how the bitmap is divided into rows</translation>
    </message>
    <message>
        <source>Animationsbitmap-Daten :</source>
        <translation>Animation bitmap data:</translation>
    </message>
    <message>
        <source>Hintergrund</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Abbruch</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Selektiertes Animationsbild löschen und durch neues Bild ersetzen ?</source>
        <translation>Delete the selected animation picture and replace it with the new picture?</translation>
    </message>
    <message>
        <source>Animation löschen und durch neues Bild ersetzen ?</source>
        <translation>Delete the animation and replace it with the new picture?</translation>
    </message>
    <message>
        <source>Spalte löschen ? Achtung Verlust von Bild-Daten</source>
        <translation>Delete column? Caution: picture data will be lost</translation>
    </message>
    <message>
        <source>Zeile löschen ? Achtung Verlust von Bild-Daten</source>
        <translation>Delete row? Caution: picture data will be lost</translation>
    </message>
    <message>
        <source>Alle Animationsbilder löschen ?</source>
        <translation>Delete all animation pictures?</translation>
    </message>
    <message>
        <source>TJXForm FillStyle-Editor Stand 30.09.1996</source>
        <translation>TJXForm FillStyle editor as of 30.09.1996</translation>
    </message>
    <message>
        <source>Vorschau auf FillStyle</source>
        <translation>Preview of the FillStyle</translation>
    </message>
    <message>
        <source>Bitmap mit der das Formular gefüllt wird. Zum Laden auf Bild Clicken.</source>
        <translation>Bitmap the form is filled with. Click the picture to load one.</translation>
    </message>
    <message>
        <source>Farbverlauf von Farbe. Clicken zum ändern.</source>
        <translation>Gradient from colour. Click to change.</translation>
    </message>
    <message>
        <source>Farbverlauf zur Farbe. Clicken zum ändern.</source>
        <translation>Gradient to colour. Click to change.</translation>
    </message>
    <message>
        <source>JXTools AboutDialog</source>
        <translation>JXTools About Dialog</translation>
    </message>
    <message>
        <source>Wave Dateien (*.wav)|*.WAV|All files (*.*)|*.*</source>
        <translation>Wave files (*.wav)|*.WAV|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>JX3d - Fehler in Zeile :</source>
        <translation>JX3d - error in line: </translation>
    </message>
    <message>
        <source>Maximale Punktanzahl erreicht</source>
        <translation>Maximum number of points reached</translation>
    </message>
    <message>
        <source>Maximale Linienanzahl erreicht</source>
        <translation>Maximum number of lines reached</translation>
    </message>
    <message>
        <source>Maximale Flächenanzahl erreicht</source>
        <translation>Maximum number of faces reached</translation>
    </message>
    <message>
        <source>Maximale Kreisanzahl erreicht</source>
        <translation>Maximum number of circles reached</translation>
    </message>
    <message>
        <source>MDIFormen werden nicht unterstützt</source>
        <translation>MDI forms are not supported</translation>
    </message>
    <message>
        <source>Warnung</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Bestätigen</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Versionsinformationen</source>
        <translation>Version information</translation>
    </message>
    <message>
        <source>Fehler beim schreiben von %1. Ziel-Datenträger voll ?</source>
        <translation>Error while writing %1. Is the target disk full?</translation>
    </message>
    <message>
        <source>Kopier-Status</source>
        <translation>Copy status</translation>
    </message>
    <message>
        <source>von</source>
        <translation>from</translation>
    </message>
    <message>
        <source>nach</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Kopiervorgang abbrechen ?</source>
        <translation>Cancel copying?</translation>
    </message>
    <message>
        <source>Zieldatenträger nicht bereit</source>
        <translation>Target disk not ready</translation>
    </message>
    <message>
        <source>Zu wenig Speicherplatz für alle Dateien</source>
        <translation>Not enough space for all files</translation>
    </message>
    <message>
        <source>Zu wenig Speicherplatz für Datei &gt;%1&lt; auf Zieldatenträger</source>
        <translation>Not enough space for file &gt;%1&lt; on the target disk</translation>
    </message>
    <message>
        <source>Zielverzeichnis %1 existiert nicht. Soll es erstellt werden ?</source>
        <translation>Target folder %1 does not exist. Create it?</translation>
    </message>
    <message>
        <source>Verzeichnis konnte nicht erstellt werden</source>
        <translation>The folder could not be created</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>Datei %1 schon vorhanden. Soll sie überschrieben werden ?</source>
        <translation>File %1 already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>Datei %1 Schreibgeschützt. Soll sie überschrieben werden ?</source>
        <translation>File %1 is write-protected. Overwrite it?</translation>
    </message>
    <message>
        <source>Datei &gt;%1&lt; nicht gefunden</source>
        <translation>File &gt;%1&lt; not found</translation>
    </message>
    <message>
        <source>Fehler beim Updaten</source>
        <translation>Error while updating</translation>
    </message>
    <message>
        <source>Fehler beim erzeugen der Vorschau</source>
        <translation>Error while creating the preview</translation>
    </message>
    <message>
        <source>Fehler beim erzeugen der neuen Seite</source>
        <translation>Error while creating the new page</translation>
    </message>
    <message>
        <source>Keine Seite zum anzeigen</source>
        <translation>No page to show</translation>
    </message>
    <message>
        <source>Druckvorschau</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Eine oder 2 Seiten anzeigen</source>
        <translation>Show one or 2 pages</translation>
    </message>
    <message>
        <source>2 Seite(n)</source>
        <translation>2 page(s)</translation>
    </message>
    <message>
        <source>Auf Seitenbreite zoomen</source>
        <translation>Zoom to page width</translation>
    </message>
    <message>
        <source>Ganzseitenansicht</source>
        <translation>Whole page</translation>
    </message>
    <message>
        <source>Vergößern (auch mit linke Maustaste)</source>
        <translation>Zoom in (also with the left mouse button)</translation>
    </message>
    <message>
        <source>Zoomfaktor</source>
        <translation>Zoom factor</translation>
    </message>
    <message>
        <source>Verkleinern (auch mit rechte Maustaste)</source>
        <translation>Zoom out (also with the right mouse button)</translation>
    </message>
    <message>
        <source>Seite zurückblättern</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Seite vorblättern</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Vorschau beenden</source>
        <translation>Close the preview</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Die Seiten %1 bis %2 gibt es nicht; das Dokument hat die Seiten 1 bis %3. Es wurde nichts gedruckt.</source>
        <translation>There are no pages %1 to %2; the document has pages 1 to %3. Nothing was printed.</translation>
    </message>
    <message>
        <source>Als PDF-Datei drucken</source>
        <translation>Print to a PDF file</translation>
    </message>
    <message>
        <source>den Drucker</source>
        <translation>the printer</translation>
    </message>
    <message>
        <source>Der Druck auf %1 ist fehlgeschlagen.</source>
        <translation>Printing to %1 failed.</translation>
    </message>
    <message>
        <source>jxtKillPath - Fehler : %1 kann nicht gelöscht werden</source>
        <translation>jxtKillPath - error: %1 cannot be deleted</translation>
    </message>
    <message>
        <source>jxtKillPath - Verzeichnis %1 läßt sich nicht löschen</source>
        <translation>jxtKillPath - folder %1 cannot be deleted</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geöffnet werden</source>
        <translation>File %1 cannot be opened</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht erstellt werden</source>
        <translation>File %1 cannot be created</translation>
    </message>
    <message>
        <source>Der Besitzer von %1 muß ein Formular sein TForm</source>
        <translation>The owner of %1 must be a form (TForm)</translation>
    </message>
    <message>
        <source>Auf diesem Formular existiert schon eine %1 Komponente</source>
        <translation>This form already has a %1 component</translation>
    </message>
    <message>
        <source>Fehler beim Programm-Aufruf</source>
        <translation>Error starting the program</translation>
    </message>
    <message>
        <source>Verknüpfung nicht gefunden</source>
        <translation>Shortcut not found</translation>
    </message>
    <message>
        <source>Fehler bei Programmaufruf</source>
        <translation>Error starting the program</translation>
    </message>
    <message>
        <source>Port %1 kann nicht gelesen werden (%2)</source>
        <translation>Port %1 cannot be read (%2)</translation>
    </message>
    <message>
        <source>Port %1 kann nicht beschrieben werden (%2)</source>
        <translation>Port %1 cannot be written (%2)</translation>
    </message>
    <message>
        <source>Verknüpfung %1 kann nicht erstellt werden (%2)</source>
        <translation>Shortcut %1 cannot be created (%2)</translation>
    </message>
    <message>
        <source>Mail-Programm nicht gefunden</source>
        <translation>Mail program not found</translation>
    </message>
    <message>
        <source>Farben</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Farbe wählen</source>
        <translation>Choose colour</translation>
    </message>
    <message>
        <source>Farben...</source>
        <translation>Colours...</translation>
    </message>
    <message>
        <source>%1.%2 speichern</source>
        <translation>Save %1.%2</translation>
    </message>
</context>
</TS>
