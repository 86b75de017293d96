<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>application</name>
    <message>
        <source>Out of memory</source>
        <translation>Brak pamięci</translation>
    </message>
</context>
<context>
    <name>bitmap</name>
    <message>
        <source>The handle names no bitmap</source>
        <translation>Uchwyt nie wskazuje żadnej bitmapy</translation>
    </message>
    <message>
        <source>a %1 x %2 picture is larger than this program holds</source>
        <translation>obraz %1 x %2 jest większy, niż ten program może pomieścić</translation>
    </message>
    <message>
        <source>the picture cannot be held in memory</source>
        <translation>obrazu nie da się przechować w pamięci</translation>
    </message>
    <message>
        <source>there is not enough memory to load it</source>
        <translation>brakuje pamięci, by go wczytać</translation>
    </message>
    <message>
        <source>Not enough memory to reduce the picture to 8 bits</source>
        <translation>Za mało pamięci, by zredukować obraz do 8 bitów</translation>
    </message>
    <message>
        <source>A bitmap cannot be %1 x %2 pixels</source>
        <translation>Bitmapa nie może mieć rozmiaru %1 x %2 pikseli</translation>
    </message>
    <message>
        <source>Not enough memory for a %1 x %2 bitmap</source>
        <translation>Za mało pamięci na bitmapę %1 x %2</translation>
    </message>
    <message>
        <source>Not enough memory to convert the picture</source>
        <translation>Za mało pamięci, by przekształcić obraz</translation>
    </message>
    <message>
        <source>This bitmap cannot be converted to that pixel format</source>
        <translation>Tej bitmapy nie można przekształcić do tego formatu pikseli</translation>
    </message>
    <message>
        <source>Scan line %1 is outside the %2 x %3 bitmap</source>
        <translation>Wiersz %1 leży poza bitmapą %2 x %3</translation>
    </message>
    <message>
        <source>Cannot read the bitmap &quot;%1&quot;: %2</source>
        <translation>Nie można odczytać bitmapy „%1”: %2</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>nie ma takiego pliku</translation>
    </message>
    <message>
        <source>permission to read it is denied</source>
        <translation>brak uprawnień do jego odczytu</translation>
    </message>
    <message>
        <source>a part of its path is not a folder</source>
        <translation>część jego ścieżki nie jest folderem</translation>
    </message>
    <message>
        <source>its name is too long</source>
        <translation>jego nazwa jest za długa</translation>
    </message>
    <message>
        <source>its path has too many symbolic links</source>
        <translation>jego ścieżka ma zbyt wiele dowiązań symbolicznych</translation>
    </message>
    <message>
        <source>the device reported a read error</source>
        <translation>urządzenie zgłosiło błąd odczytu</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>to folder, a nie plik</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>to nie jest zwykły plik</translation>
    </message>
</context>
<context>
    <name>bmp</name>
    <message numerus="yes">
        <source>%n bit(s) per pixel</source>
        <extracomment>Follows &quot;pictures of&quot; in the reasons below.</extracomment>
        <translation>
            <numerusform>%n bicie na piksel</numerusform>
            <numerusform>%n bitach na piksel</numerusform>
            <numerusform>%n bitach na piksel</numerusform>
        </translation>
    </message>
    <message>
        <source>bit-field</source>
        <translation>BITFIELDS</translation>
    </message>
    <message>
        <source>unknown (%1)</source>
        <translation>o nieznanym kodzie %1</translation>
    </message>
    <message>
        <source>pictures of %1 without compression are not supported</source>
        <translation>obrazy o %1 bez kompresji nie są obsługiwane</translation>
    </message>
    <message>
        <source>pictures of %1 with %2 compression are not supported</source>
        <translation>obrazy o %1 z kompresją %2 nie są obsługiwane</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>plik jest pusty</translation>
    </message>
    <message>
        <source>it is not a BMP file</source>
        <translation>to nie jest plik BMP</translation>
    </message>
    <message>
        <source>the file ends inside its header</source>
        <translation>plik kończy się w środku nagłówka</translation>
    </message>
    <message>
        <source>the header size %1 is not one this program reads</source>
        <translation>ten program nie odczytuje nagłówków o rozmiarze %1</translation>
    </message>
    <message>
        <source>the picture size %1 x %2 is invalid</source>
        <translation>rozmiar obrazu %1 x %2 jest nieprawidłowy</translation>
    </message>
    <message>
        <source>the plane count %1 is not 1</source>
        <translation>liczba płaszczyzn %1 jest różna od 1</translation>
    </message>
    <message>
        <source>the file ends inside its colour masks</source>
        <translation>plik kończy się w środku masek kolorów</translation>
    </message>
    <message>
        <source>the colour mask %1 is not one run of pixel bits</source>
        <translation>maska koloru %1 nie jest jednym ciągłym blokiem bitów piksela</translation>
    </message>
    <message>
        <source>the colour masks overlap</source>
        <translation>maski kolorów nachodzą na siebie</translation>
    </message>
    <message>
        <source>the colour table has %1 entries, more than the %2 that pictures of %3 can use</source>
        <translation>tabela kolorów ma za dużo pozycji: %1, a obrazy o %3 mogą użyć najwyżej %2</translation>
    </message>
    <message>
        <source>the colour table is missing</source>
        <translation>brakuje tabeli kolorów</translation>
    </message>
    <message>
        <source>the pixel data starts inside the headers</source>
        <translation>dane pikseli zaczynają się wewnątrz nagłówków</translation>
    </message>
    <message>
        <source>the pixel data starts past the end of the file</source>
        <translation>dane pikseli zaczynają się za końcem pliku</translation>
    </message>
    <message>
        <source>the file is truncated</source>
        <translation>plik jest obcięty</translation>
    </message>
    <message>
        <source>a compressed picture cannot be stored top row first</source>
        <translation>skompresowanego obrazu nie można zapisać od górnego wiersza</translation>
    </message>
    <message>
        <source>the compressed pixel data ends before its end mark</source>
        <translation>skompresowane dane pikseli kończą się przed znacznikiem końca</translation>
    </message>
    <message>
        <source>the compressed pixel data runs past the picture</source>
        <translation>skompresowane dane pikseli wychodzą poza obraz</translation>
    </message>
    <message>
        <source>the compressed pixel data jumps past the picture</source>
        <translation>skompresowane dane pikseli przeskakują poza obraz</translation>
    </message>
    <message>
        <source>the compressed pixel data runs past the picture&apos;s last row</source>
        <translation>skompresowane dane pikseli wychodzą poza ostatni wiersz obrazu</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>pliku nie można odczytać</translation>
    </message>
</context>
<context>
    <name>desktop session</name>
    <message>
        <source>widmo: the window needs a desktop session and finds none (DISPLAY and WAYLAND_DISPLAY are unset); for spectra in a shell use widmo-cli, or run the window without a screen with xvfb-run widmo</source>
        <translation>widmo: okno wymaga sesji pulpitu, a tu jej nie ma (DISPLAY i WAYLAND_DISPLAY nie są ustawione); widma w powłoce liczy widmo-cli, a okno bez ekranu uruchamia xvfb-run widmo</translation>
    </message>
    <message>
        <source>widmo: cannot reach the desktop session at the display &quot;%1&quot; for the window; for spectra in a shell use widmo-cli, or run the window without a screen with xvfb-run widmo</source>
        <translation>widmo: nie można połączyć się z sesją pulpitu na ekranie &quot;%1&quot;, by pokazać okno; widma w powłoce liczy widmo-cli, a okno bez ekranu uruchamia xvfb-run widmo</translation>
    </message>
</context>
<context>
    <name>display</name>
    <message>
        <source>the low 8 bits of floor(|re| s) (it wraps)</source>
        <translation>młodsze 8 bitów floor(|re| s) (z zawijaniem)</translation>
    </message>
    <message>
        <source>the low 8 bits of floor(|im| s) (it wraps)</source>
        <translation>młodsze 8 bitów floor(|im| s) (z zawijaniem)</translation>
    </message>
    <message>
        <source>floor(|X| s), at most 255</source>
        <translation>floor(|X| s), najwyżej 255</translation>
    </message>
    <message>
        <source>floor(|X|^2 s), at most 255</source>
        <translation>floor(|X|^2 s), najwyżej 255</translation>
    </message>
    <message>
        <source>floor(255 (L - Lmin) / (Lmax - Lmin)), where L = ln(1 + |X|) and Lmin, Lmax are the smallest and largest L of the whole spectrum; 0 everywhere when Lmax = Lmin; no scale</source>
        <translation>floor(255 (L - Lmin) / (Lmax - Lmin)), gdzie L = ln(1 + |X|), a Lmin i Lmax to najmniejsze i największe L w całym widmie; wszędzie 0, gdy Lmax = Lmin; bez skali</translation>
    </message>
    <message>
        <source>floor(256 (atan2(im, re) + pi) / (2 pi)), 256 taken as 255; no scale</source>
        <translation>floor(256 (atan2(im, re) + pi) / (2 pi)), przy czym 256 liczy się jako 255; bez skali</translation>
    </message>
</context>
<context>
    <name>form</name>
    <message>
        <source>The form description %1 is missing: %2</source>
        <translation>Brakuje opisu formularza %1: %2</translation>
    </message>
    <message>
        <source>The form description %1 cannot be read: %2</source>
        <translation>Nie można odczytać opisu formularza %1: %2</translation>
    </message>
</context>
<context>
    <name>memory</name>
    <message>
        <source>The %1 x %2 picture is padded to %3 x %4 pixels, more than the %5 allowed</source>
        <translation>Obraz %1 x %2 zostaje dopełniony do %3 x %4 pikseli, więcej niż dozwolone %5</translation>
    </message>
    <message>
        <source>The %1 x %2 picture needs %3 of memory %4, but only %5 are available</source>
        <translation>Obraz %1 x %2 potrzebuje %3 pamięci %4, a dostępne jest tylko %5</translation>
    </message>
    <message>
        <source>to load it</source>
        <translation>do wczytania</translation>
    </message>
    <message>
        <source>for its bitmap</source>
        <translation>na bitmapę</translation>
    </message>
    <message>
        <source>to convert it</source>
        <translation>do przekształcenia</translation>
    </message>
    <message>
        <source>to reduce it to 8 bits</source>
        <translation>do redukcji do 8 bitów</translation>
    </message>
    <message>
        <source>for its spectrum</source>
        <translation>na widmo</translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s)</source>
        <translation>
            <numerusform>%n bajt</numerusform>
            <numerusform>%n bajty</numerusform>
            <numerusform>%n bajtów</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>picture</name>
    <message>
        <source>the codes of its image are damaged</source>
        <translation>kody jego obrazu są uszkodzone</translation>
    </message>
    <message>
        <source>the data of its %1 x %2 image ends after %3 of its pixels</source>
        <translation>dane jego obrazu %1 x %2 kończą się po %3 jego pikselach</translation>
    </message>
    <message>
        <source>it needs %1 of memory to be read, but only %2 are available</source>
        <translation>potrzebuje %1 pamięci do odczytu, a dostępne jest tylko %2</translation>
    </message>
    <message>
        <source>its %1 data is damaged or of a kind the installed reader cannot decode</source>
        <translation>jego dane %1 są uszkodzone albo takiego rodzaju, którego zainstalowany czytnik nie dekoduje</translation>
    </message>
    <message>
        <source>the file is cut short: it ends before its end marker</source>
        <translation>plik jest obcięty: kończy się przed swoim znacznikiem końca</translation>
    </message>
    <message>
        <source>its %1 bytes are far too few for the %2 x %3 pixels it declares (a JPEG file holds at least one byte for every %4 pixels)</source>
        <translation>jego %1 bajtów to o wiele za mało na deklarowane %2 x %3 pikseli (plik JPEG ma co najmniej jeden bajt na każde %4 pikseli)</translation>
    </message>
    <message>
        <source>it has more than %1 scans, more than any real JPEG file needs</source>
        <translation>ma ponad %1 skanów, więcej niż potrzebuje jakikolwiek prawdziwy plik JPEG</translation>
    </message>
    <message>
        <source>it holds a block of unknown kind (%1)</source>
        <translation>zawiera blok nieznanego rodzaju (%1)</translation>
    </message>
    <message>
        <source>it is an SVG drawing, not a picture made of pixels</source>
        <translation>to rysunek SVG, a nie obraz z pikseli</translation>
    </message>
    <message>
        <source>it is a PNM (PGM or PPM) file whose maximum value is %1; it must be 1 to 65535</source>
        <translation>to plik PNM (PGM lub PPM) o wartości maksymalnej %1; musi ona wynosić od 1 do 65535</translation>
    </message>
    <message>
        <source>it is a run-length compressed TGA picture, which the installed TGA reader does not decode</source>
        <translation>to obraz TGA skompresowany metodą RLE, którego zainstalowany czytnik TGA nie dekoduje</translation>
    </message>
</context>
<context>
    <name>pipeline</name>
    <message>
        <source>Cannot load the bitmap &quot;%1&quot;: %2</source>
        <translation>Nie można wczytać bitmapy „%1”: %2</translation>
    </message>
    <message>
        <source>A picture side of %1 pixels is too large</source>
        <translation>Bok obrazu o długości %1 pikseli jest za duży</translation>
    </message>
    <message>
        <source>The picture does not hold one byte per pixel</source>
        <translation>Obraz nie ma jednego bajtu na piksel</translation>
    </message>
    <message>
        <source>Not enough memory for the spectrum picture</source>
        <translation>Za mało pamięci na obraz widma</translation>
    </message>
</context>
<context>
    <name>standard input</name>
    <message>
        <source>reading it failed: %1</source>
        <translation>odczyt się nie powiódł: %1</translation>
    </message>
    <message>
        <source>its first bytes show no picture format Widmo reads</source>
        <translation>jego pierwsze bajty nie wskazują żadnego formatu obrazu, który Widmo czyta</translation>
    </message>
    <message>
        <source>more than half the memory available holds</source>
        <translation>więcej, niż mieści połowa dostępnej pamięci</translation>
    </message>
    <message>
        <source>more than any picture of at most %1 pixels is stored in</source>
        <translation>więcej, niż zajmuje jakikolwiek obraz o co najwyżej %1 pikselach</translation>
    </message>
    <message>
        <source>more than any %1 x %2 picture is stored in</source>
        <translation>więcej, niż zajmuje jakikolwiek obraz %1 x %2</translation>
    </message>
    <message>
        <source>it goes on past %1, %2</source>
        <translation>ciągnie się dalej niż %1, %2</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>jest puste</translation>
    </message>
</context>
<context>
    <name>viewer</name>
    <message>
        <source>%1 - picture, %2 x %3 pixels</source>
        <translation>%1 – obraz, %2 × %3 pikseli</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Tryb</translation>
    </message>
    <message>
        <source>&amp;Display:</source>
        <translation>&amp;Tryb:</translation>
    </message>
    <message>
        <source>S&amp;cale:</source>
        <translation>&amp;Skala:</translation>
    </message>
    <message>
        <source>&amp;Window:</source>
        <translation>&amp;Okno:</translation>
    </message>
    <message>
        <source>&amp;Padding:</source>
        <translation>&amp;Dopełnienie:</translation>
    </message>
    <message>
        <source>The window is computing a new spectrum</source>
        <translation>Okno liczy nowe widmo</translation>
    </message>
    <message>
        <source>Computing the spectrum...</source>
        <translation>Liczenie widma...</translation>
    </message>
    <message>
        <source>The spectrum could not be computed</source>
        <translation>Nie udało się policzyć widma</translation>
    </message>
    <message>
        <source>%1, scale %2</source>
        <translation>%1, skala %2</translation>
    </message>
    <message>
        <source>%1 - spectrum: %2, window %3, padding %4</source>
        <translation>%1 – widmo: %2, okno %3, dopełnienie %4</translation>
    </message>
    <message>
        <source>period %1 px, stripes at %2°</source>
        <translation>okres %1 px, prążki pod kątem %2°</translation>
    </message>
    <message>
        <source>the mean (zero frequency)</source>
        <translation>średnia (częstotliwość zerowa)</translation>
    </message>
    <message>
        <source>u %1, v %2: %3; |X| %4, phase %5°</source>
        <translation>u %1, v %2: %3; |X| %4, faza %5°</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Nie można zapisać %1: %2</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Zapisz...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Za&amp;mknij</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>W&amp;idok</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Po&amp;większ</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Po&amp;mniejsz</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <translation>&amp;Rzeczywisty rozmiar</translation>
    </message>
    <message>
        <source>&amp;Fit to window</source>
        <translation>&amp;Dopasuj do okna</translation>
    </message>
    <message>
        <source>x %1, y %2: grey level %3</source>
        <translation>x %1, y %2: poziom szarości %3</translation>
    </message>
    <message>
        <source>Zoom %1%</source>
        <translation>Powiększenie %1%</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Zapisano %1</translation>
    </message>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>Obraz PNG (*.png)</translation>
    </message>
    <message>
        <source>BMP picture (*.bmp)</source>
        <translation>Obraz BMP (*.bmp)</translation>
    </message>
    <message>
        <source>PGM picture (*.pgm)</source>
        <translation>Obraz PGM (*.pgm)</translation>
    </message>
    <message>
        <source>Spectrum as NumPy array (*.npy)</source>
        <translation>Widmo jako tablica NumPy (*.npy)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>%1: the name must end in .png, .bmp, .pgm or .npy</source>
        <translation>%1: nazwa musi się kończyć na .png, .bmp, .pgm lub .npy</translation>
    </message>
    <message>
        <source>%1: the name must end in .png, .bmp or .pgm</source>
        <translation>%1: nazwa musi się kończyć na .png, .bmp lub .pgm</translation>
    </message>
</context>
<context>
    <name>widmo-cli</name>
    <message>
        <source>%1 (see widmo-cli --help)</source>
        <translation>%1 (zob. widmo-cli --help)</translation>
    </message>
    <message>
        <source>not enough memory for this picture</source>
        <translation>za mało pamięci na ten obraz</translation>
    </message>
    <message>
        <source>What multiplies each sample (x, y) of the picture before the transform: none, or hann, w(y) w(x) with w(n) = 0.5 - 0.5 cos(2 pi n / (N - 1)) over the picture&apos;s own height and width N (not the padded ones), and w = 1 for a side of 1.</source>
        <translation>Przez co mnożona jest każda próbka (x, y) obrazu przed transformacją: none albo hann, czyli w(y) w(x), gdzie w(n) = 0.5 - 0.5 cos(2 pi n / (N - 1)), a N to odpowiednio wysokość i szerokość samego obrazu (nie po dopełnieniu); dla boku długości 1 w = 1.</translation>
    </message>
    <message>
        <source>What fills the picture up to sides that are powers of two: zero, or mean, the mean of the picture&apos;s samples (after the window, when both are given).</source>
        <translation>Czym dopełnić obraz do boków będących potęgami dwójki: zero albo mean, czyli średnią jego próbek (po nałożeniu okna, jeśli podano obie opcje).</translation>
    </message>
    <message>
        <source>bmp, png or pgm: the format of a picture written to standard output (OUTPUT -) or into DIR. A named OUTPUT is written in the format its extension names.</source>
        <translation>bmp, png lub pgm: format obrazu zapisywanego na standardowe wyjście (OUTPUT -) lub do DIR. OUTPUT podany z nazwą jest zapisywany w formacie wskazanym przez rozszerzenie.</translation>
    </message>
    <message>
        <source>Work on every INPUT in turn and write DIR/NAME.FORMAT for each, NAME being the input&apos;s file name without its extension; the folder is made when it is missing.</source>
        <translation>Przetwórz kolejno każdy INPUT i zapisz dla niego DIR/NAME.FORMAT, gdzie NAME to nazwa pliku wejściowego bez rozszerzenia; brakujący folder zostanie utworzony.</translation>
    </message>
    <message>
        <source>Refuse a picture whose sides, each raised to the power of two at or above it, span more than N pixels; checked from its header, before its pixels are read.</source>
        <translation>Odrzuć obraz, którego boki, zaokrąglone w górę do potęg dwójki, dają więcej niż N pikseli; sprawdzane na podstawie nagłówka, zanim zostaną odczytane piksele.</translation>
    </message>
    <message>
        <source>no cap, the memory decides</source>
        <translation>bez limitu, decyduje pamięć</translation>
    </message>
    <message>
        <source>Print nothing but errors.</source>
        <translation>Nie wypisuj niczego poza błędami.</translation>
    </message>
    <message>
        <source>Show this text.</source>
        <translation>Pokaż ten tekst.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Pokaż wersję.</translation>
    </message>
    <message>
        <source>Default: %1.</source>
        <translation>Domyślnie: %1.</translation>
    </message>
    <message>
        <source>Writes the centred Fourier spectrum of a picture as an 8-bit grey picture.</source>
        <translation>Zapisuje wyśrodkowane widmo Fouriera obrazu jako 8-bitowy obraz w odcieniach szarości.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Obrazy</translation>
    </message>
    <message>
        <source>INPUT is a BMP file, or any picture the installed Qt image plugins read (PNG, JPEG, PBM/PGM/PPM, GIF, and TIFF and WebP with qt6-image-formats-plugins), told apart by its content, not its name. It is reduced to one grey level per pixel, (299 R + 587 G + 114 B + 500) / 1000 of its colour, sampled, padded to sides that are powers of two, transformed, and its zero frequency moved to the middle. INPUT - reads standard input.
OUTPUT ends in .bmp, .png or .pgm, and any other ending is refused before anything is read. OUTPUT - writes standard output in the --format; every message then goes to standard error.
No output may be the input or another output, under any name or link; an existing one must be a regular file, and it is replaced only once the new one is complete.</source>
        <translation>INPUT to plik BMP lub dowolny obraz, który odczytują zainstalowane wtyczki obrazów Qt (PNG, JPEG, PBM/PGM/PPM, GIF, a z qt6-image-formats-plugins także TIFF i WebP), rozpoznawany po zawartości, nie po nazwie. Obraz jest sprowadzany do jednego poziomu szarości na piksel, (299 R + 587 G + 114 B + 500) / 1000 jego koloru, próbkowany, dopełniany do boków będących potęgami dwójki, przekształcany, a jego zerowa częstotliwość jest przesuwana na środek. INPUT - oznacza odczyt ze standardowego wejścia.
OUTPUT kończy się na .bmp, .png lub .pgm; każde inne zakończenie jest odrzucane, zanim cokolwiek zostanie odczytane. OUTPUT - oznacza zapis na standardowe wyjście w formacie z --format; wszystkie komunikaty trafiają wtedy na standardowe wyjście błędów.
Żaden plik wyjściowy nie może być plikiem wejściowym ani innym plikiem wyjściowym, pod żadną nazwą ani przez dowiązanie; istniejący musi być zwykłym plikiem i zostaje zastąpiony dopiero wtedy, gdy nowy jest kompletny.</translation>
    </message>
    <message>
        <source>Batches</source>
        <translation>Przetwarzanie wsadowe</translation>
    </message>
    <message>
        <source>With --output-dir, an input that fails is named on standard error with the reason, and the others are still written. While it runs, a progress line such as &quot;12/200 photo.bmp&quot; is shown on standard error when that is a terminal, unless --quiet is given.</source>
        <translation>Przy --output-dir plik wejściowy, którego nie udało się przetworzyć, jest wymieniany wraz z przyczyną na standardowym wyjściu błędów, a wyniki pozostałych są mimo to zapisywane. W trakcie pracy, jeśli standardowe wyjście błędów jest terminalem, pokazuje się na nim wiersz postępu, np. &quot;12/200 photo.bmp&quot;, chyba że podano --quiet.</translation>
    </message>
    <message>
        <source>Exit status</source>
        <translation>Kod wyjścia</translation>
    </message>
    <message>
        <source>0: everything was written.
1: bad arguments, or an input that could not be read or an output that could not be written: nothing was written for it, and with --output-dir the other inputs were.
2: everything was written, after the computation showed a message (&quot;Nie udalo sie !&quot; or &quot;Blad&quot;) on standard error.</source>
        <translation>0: wszystko zostało zapisane.
1: błędne argumenty albo wejście, którego nie udało się odczytać, lub wyjście, którego nie udało się zapisać: nic dla niego nie zapisano, a przy --output-dir wyniki pozostałych wejść zostały zapisane.
2: wszystko zostało zapisane, ale obliczenia wypisały komunikat (&quot;Nie udalo sie !&quot; lub &quot;Blad&quot;) na standardowe wyjście błędów.</translation>
    </message>
    <message>
        <source>Environment</source>
        <translation>Zmienne środowiskowe</translation>
    </message>
    <message>
        <source>WIDMO_THREADS=N (1 to 64) shares the work among N threads; without it, one per processor. WIDMO_KERNEL=scalar, avx2 or avx512 picks the transform&apos;s instructions. Neither changes an output.</source>
        <translation>WIDMO_THREADS=N (od 1 do 64) dzieli pracę między N wątków; bez niej używany jest jeden wątek na procesor. WIDMO_KERNEL=scalar, avx2 lub avx512 wybiera instrukcje używane przez transformację. Żadna z nich nie zmienia wyników.</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Użycie:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opcje:</translation>
    </message>
    <message>
        <source>%1 %2 is not a regular file; it is left as it is</source>
        <translation>%1 %2 nie jest zwykłym plikiem; pozostaje bez zmian</translation>
    </message>
    <message>
        <source>%1 %2 is the input file</source>
        <translation>%1 %2 to plik wejściowy</translation>
    </message>
    <message>
        <source>%1 %2 is the same file as OUTPUT %3</source>
        <translation>%1 %2 to ten sam plik co OUTPUT %3</translation>
    </message>
    <message>
        <source>its output %1 is the output of %2 too</source>
        <translation>jego plik wyjściowy %1 jest też plikiem wyjściowym dla %2</translation>
    </message>
    <message>
        <source>its output %1 would replace the input %2</source>
        <translation>jego plik wyjściowy %1 zastąpiłby plik wejściowy %2</translation>
    </message>
    <message>
        <source>--output-dir takes a folder name, not an empty one</source>
        <translation>--output-dir przyjmuje nazwę folderu, nie pustą</translation>
    </message>
    <message>
        <source>--npy takes a file name, not an empty one</source>
        <translation>--npy przyjmuje nazwę pliku, nie pustą</translation>
    </message>
    <message>
        <source>%1 %2 leads through a link that another user made in a folder shared by all; it is not followed</source>
        <translation>%1 %2 prowadzi przez dowiązanie utworzone przez innego użytkownika w folderze wspólnym dla wszystkich; nie jest ono używane</translation>
    </message>
    <message>
        <source>%1 %2 leads through too many links</source>
        <translation>%1 %2 prowadzi przez zbyt wiele dowiązań</translation>
    </message>
    <message>
        <source>cannot make the folder %1: %2</source>
        <translation>nie można utworzyć folderu %1: %2</translation>
    </message>
    <message>
        <source>--scale takes a finite number, not &apos;%1&apos;</source>
        <translation>--scale przyjmuje skończoną liczbę, a nie &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--max-pixels takes a whole number of pixels above 0, not &apos;%1&apos;</source>
        <translation>--max-pixels przyjmuje całkowitą liczbę pikseli większą od 0, a nie &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 takes %2, not &apos;%3&apos;</source>
        <translation>%1 przyjmuje %2, a nie &apos;%3&apos;</translation>
    </message>
    <message>
        <source>OUTPUT %1 does not end in .bmp, .png or .pgm</source>
        <translation>OUTPUT %1 nie kończy się na .bmp, .png ani .pgm</translation>
    </message>
    <message>
        <source>--format %1 is not the format of OUTPUT %2</source>
        <translation>--format %1 nie zgadza się z formatem OUTPUT %2</translation>
    </message>
    <message>
        <source>expected two file names, INPUT and OUTPUT, not %1</source>
        <translation>oczekiwano dwóch nazw plików, INPUT i OUTPUT, a nie %1</translation>
    </message>
    <message>
        <source>--npy cannot write to standard output</source>
        <translation>--npy nie może zapisywać na standardowe wyjście</translation>
    </message>
    <message>
        <source>--output-dir does not read standard input</source>
        <translation>--output-dir nie czyta standardowego wejścia</translation>
    </message>
    <message>
        <source>Cannot read the picture &quot;%1&quot;: %2</source>
        <translation>Nie można odczytać obrazu „%1”: %2</translation>
    </message>
    <message>
        <source>its sides cannot be read</source>
        <translation>nie można odczytać jego wymiarów</translation>
    </message>
    <message>
        <source>it holds a picture of other sides than it declares</source>
        <translation>zawiera obraz o innych wymiarach, niż deklaruje</translation>
    </message>
    <message>
        <source>not enough memory to convert it</source>
        <translation>za mało pamięci, by go przekształcić</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>nie można zapisać %1: %2</translation>
    </message>
    <message>
        <source>widmo-cli [options] INPUT OUTPUT</source>
        <translation>widmo-cli [opcje] INPUT OUTPUT</translation>
    </message>
    <message>
        <source>widmo-cli [options] --output-dir DIR INPUT...</source>
        <translation>widmo-cli [opcje] --output-dir DIR INPUT...</translation>
    </message>
    <message>
        <source>How an element X = re + i im of the spectrum becomes a grey level, with the scale s:</source>
        <translation>Jak element widma X = re + i im zamienia się w poziom szarości przy skali s:</translation>
    </message>
    <message>
        <source>The factor s of the displays that take one (see --mode), any finite number.</source>
        <translation>Współczynnik s trybów, które go używają (zob. --mode): dowolna skończona liczba.</translation>
    </message>
    <message>
        <source>%1 or %2: %3</source>
        <translation>%1 lub %2: %3</translation>
    </message>
    <message>
        <source>%1 or %2 to %3</source>
        <translation>%1 lub liczbę od %2 do %3</translation>
    </message>
    <message>
        <source>--mode takes %1, not &apos;%2&apos;</source>
        <translation>--mode przyjmuje %1, a nie &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--files-from %1: %2</source>
        <translation>--files-from %1: %2</translation>
    </message>
    <message>
        <source>the list is larger than %1 MiB</source>
        <translation>lista jest większa niż %1 MiB</translation>
    </message>
    <message>
        <source>name %1 is empty</source>
        <translation>nazwa %1 jest pusta</translation>
    </message>
    <message>
        <source>name %1 is longer than %2 bytes</source>
        <translation>nazwa %1 jest dłuższa niż %2 bajtów</translation>
    </message>
    <message>
        <source>name %1 holds a NUL byte (are the names apart by NUL bytes? then give --null)</source>
        <translation>nazwa %1 zawiera bajt NUL (czy nazwy rozdzielają bajty NUL? wtedy podaj --null)</translation>
    </message>
    <message>
        <source>name %1 is no valid name in the system&apos;s encoding</source>
        <translation>nazwa %1 nie jest poprawną nazwą w kodowaniu systemu</translation>
    </message>
    <message>
        <source>An empty name, a name longer than %1 bytes or not valid in the system&apos;s encoding, or a list larger than %2 MiB is refused before anything is written.</source>
        <translation>Pusta nazwa, nazwa dłuższa niż %1 bajtów lub niepoprawna w kodowaniu systemu albo lista większa niż %2 MiB zostaje odrzucona, zanim cokolwiek zostanie zapisane.</translation>
    </message>
    <message>
        <source>Also write the centred complex spectrum of INPUT to FILE as a NumPy file: complex128, the padded rows x columns, C order, the sign of its exponent as under &quot;The transform&quot; below. Without OUTPUT, FILE is the only file written. One picture only: a batch takes --npy-beside.</source>
        <translation>Zapisz też wyśrodkowane zespolone widmo INPUT do pliku FILE w formacie NumPy: complex128, uzupełnione wiersze x kolumny, porządek C, znak wykładnika jak w części &quot;Transformata&quot; niżej. Bez OUTPUT FILE jest jedynym zapisanym plikiem. Tylko dla jednego obrazu: seria używa --npy-beside.</translation>
    </message>
    <message>
        <source>With --output-dir, also write DIR/NAME.npy, the --npy file of each INPUT, beside its picture.</source>
        <translation>Z --output-dir zapisz też DIR/NAME.npy, plik --npy każdego INPUT, obok jego obrazu.</translation>
    </message>
    <message>
        <source>Write no spectrum picture, only the NumPy files: a single run then takes INPUT and --npy FILE and no OUTPUT (as it does without this option), a batch takes --npy-beside.</source>
        <translation>Nie zapisuj obrazu widma, tylko pliki NumPy: pojedyncze uruchomienie przyjmuje wtedy INPUT i --npy FILE bez OUTPUT (tak jak bez tej opcji), seria przyjmuje --npy-beside.</translation>
    </message>
    <message>
        <source>With --output-dir, also work on every file named in the file LIST (- for standard input), one name a line, after any INPUT given. Names are taken byte for byte: spaces belong to them. A list that names no file is a batch of nothing.</source>
        <translation>Z --output-dir przetwórz też każdy plik wymieniony w pliku LIST (- oznacza standardowe wejście), jedna nazwa w wierszu, po podanych INPUT. Nazwy są brane bajt po bajcie: spacje do nich należą. Lista bez żadnej nazwy to pusta seria.</translation>
    </message>
    <message>
        <source>The names in LIST end in a NUL byte instead of a newline, as find -print0 writes them; they may then hold newlines.</source>
        <translation>Nazwy w LIST kończą się bajtem NUL zamiast znaku nowego wiersza, tak jak zapisuje je find -print0; mogą wtedy zawierać znaki nowego wiersza.</translation>
    </message>
    <message>
        <source>widmo-cli [options] --npy FILE INPUT [OUTPUT]</source>
        <translation>widmo-cli [opcje] --npy FILE INPUT [OUTPUT]</translation>
    </message>
    <message>
        <source>widmo-cli [options] --output-dir DIR --files-from LIST</source>
        <translation>widmo-cli [opcje] --output-dir DIR --files-from LIST</translation>
    </message>
    <message>
        <source>The transform</source>
        <translation>Transformata</translation>
    </message>
    <message>
        <source>The spectrum of the padded samples f(y, x), H rows by W columns with row 0 at the top of the picture, is F(u, v) = sum over y and x of f(y, x) exp(+2 pi i (u y / H + v x / W)): the exponent is positive and nothing is scaled. That is the complex conjugate of NumPy&apos;s fft2, so every phase is mirrored against NumPy&apos;s. Element (r, c) of the --npy file is F(r - H/2, c - W/2). With --window none and --pad zero, the defaults, it is, for the grey levels img as a NumPy array:
np.conj(np.fft.fftshift(np.fft.fft2(img, s=(H, W))))</source>
        <translation>Widmo uzupełnionych próbek f(y, x), H wierszy na W kolumn, z wierszem 0 na górze obrazu, to F(u, v) = suma po y i x z f(y, x) exp(+2 pi i (u y / H + v x / W)): wykładnik jest dodatni i nic nie jest skalowane. To sprzężenie zespolone fft2 z NumPy, więc każda faza jest odbiciem fazy z NumPy. Element (r, c) pliku --npy to F(r - H/2, c - W/2). Przy --window none i --pad zero, domyślnych, jest to, dla poziomów szarości img jako tablicy NumPy:
np.conj(np.fft.fftshift(np.fft.fft2(img, s=(H, W))))</translation>
    </message>
    <message>
        <source>The spectrum as the window paints it: the amplitude at the scale 0.001.</source>
        <translation>Widmo tak, jak maluje je okno: amplituda przy skali 0.001.</translation>
    </message>
    <message>
        <source>The logarithmic display of the windowed picture, as a PNG file: on a photograph, the picture most people want.</source>
        <translation>Logarytmiczny obraz widma obrazu z oknem, jako plik PNG: dla fotografii obraz, jakiego chce większość.</translation>
    </message>
    <message>
        <source>Only the complex spectrum, for numpy.load(&quot;spectrum.npy&quot;).</source>
        <translation>Tylko zespolone widmo, dla numpy.load(&quot;spectrum.npy&quot;).</translation>
    </message>
    <message>
        <source>spectra/NAME.bmp and spectra/NAME.npy for every photograph.</source>
        <translation>spectra/NAME.bmp i spectra/NAME.npy dla każdej fotografii.</translation>
    </message>
    <message>
        <source>A batch too large for one command line, with the names find gives.</source>
        <translation>Seria za duża na jeden wiersz poleceń, z nazwami podanymi przez find.</translation>
    </message>
    <message>
        <source>Examples</source>
        <translation>Przykłady</translation>
    </message>
    <message>
        <source>centred Fourier spectrum of a picture as a grey picture</source>
        <translation>wyśrodkowane widmo Fouriera obrazu jako obraz w odcieniach szarości</translation>
    </message>
    <message>
        <source>--no-picture leaves nothing to write without --npy FILE (one picture) or --npy-beside (--output-dir)</source>
        <translation>--no-picture bez --npy FILE (jeden obraz) lub --npy-beside (--output-dir) nie zostawia nic do zapisania</translation>
    </message>
    <message>
        <source>--npy-beside needs --output-dir; one picture takes --npy FILE</source>
        <translation>--npy-beside wymaga --output-dir; jeden obraz przyjmuje --npy FILE</translation>
    </message>
    <message>
        <source>--files-from needs --output-dir</source>
        <translation>--files-from wymaga --output-dir</translation>
    </message>
    <message>
        <source>with --no-picture, expected INPUT and --npy FILE alone</source>
        <translation>z --no-picture oczekiwano tylko INPUT i --npy FILE</translation>
    </message>
    <message>
        <source>with --output-dir, --npy-beside writes DIR/NAME.npy; --npy FILE is for one picture</source>
        <translation>z --output-dir plik DIR/NAME.npy zapisuje --npy-beside; --npy FILE jest dla jednego obrazu</translation>
    </message>
    <message>
        <source>--output-dir needs at least one INPUT or --files-from</source>
        <translation>--output-dir wymaga co najmniej jednego INPUT lub --files-from</translation>
    </message>
    <message>
        <source>-0/--null needs --files-from</source>
        <translation>-0/--null wymaga --files-from</translation>
    </message>
</context>
</TS>
