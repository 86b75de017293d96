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
    <name>widmo-cli</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>nie można zapisać %1: %2</translation>
    </message>
    <message>
        <source>no spectrum picture was painted</source>
        <translation>nie narysowano obrazu widma</translation>
    </message>
    <message>
        <source>%1 (see widmo-cli --help)</source>
        <translation>%1 (zob. widmo-cli --help)</translation>
    </message>
    <message>
        <source>not enough memory for this picture</source>
        <translation>za mało pamięci na ten obraz</translation>
    </message>
    <message>
        <source>--mode takes 0, 1, 2 or 3, not &apos;%1&apos;</source>
        <translation>--mode przyjmuje 0, 1, 2 lub 3, a nie &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--scale takes a finite number, not &apos;%1&apos;</source>
        <translation>--scale przyjmuje liczbę skończoną, a nie &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--max-pixels takes a whole number of pixels above 0, not &apos;%1&apos;</source>
        <translation>--max-pixels przyjmuje całkowitą liczbę pikseli większą od 0, a nie &apos;%1&apos;</translation>
    </message>
    <message>
        <source>expected INPUT.bmp and OUTPUT.bmp, got %1 file names</source>
        <translation>oczekiwano INPUT.bmp i OUTPUT.bmp, a liczba podanych nazw plików to %1</translation>
    </message>
    <message>
        <source>Usage: widmo-cli [options] INPUT.bmp OUTPUT.bmp
Writes the centred Fourier spectrum of a BMP picture as an 8-bit grey BMP.

Options:
  -m, --mode N    how a frequency becomes a grey level (default 2):
                  0 real part, 1 imaginary part (both wrap modulo 256),
                  2 amplitude, 3 power (both stop at 255)
  -s, --scale S   factor applied before the grey level is taken (default 0.001)
  --npy FILE      also write the centred complex spectrum as a NumPy file
                  (complex128, rows x columns, C order)
  --max-pixels N  refuse a picture whose sides, each raised to the power of
                  two at or above it, span more than N pixels; checked
                  before its pixels are read (default: no cap, the memory
                  decides)
  -h, --help      show this text
  -v, --version   show the version

OUTPUT and the --npy file must not be the input or each other, under any
name or link; an existing one must be a regular file, which is replaced
only when the new one is complete.

Exit status: 0 done; 1 nothing written (bad arguments, unreadable input,
unwritable output); 2 written, after the computation showed a message.
</source>
        <translation>Użycie: widmo-cli [opcje] INPUT.bmp OUTPUT.bmp
Zapisuje wyśrodkowane widmo Fouriera obrazu BMP jako 8-bitowy szary BMP.

Opcje:
  -m, --mode N    jak częstotliwość staje się poziomem szarości (domyślnie 2):
                  0 część rzeczywista, 1 część urojona (obie modulo 256),
                  2 amplituda, 3 moc (obie obcinane do 255)
  -s, --scale S   mnożnik stosowany przed wyznaczeniem poziomu szarości
                  (domyślnie 0.001)
  --npy FILE      zapisuje też wyśrodkowane widmo zespolone jako plik NumPy
                  (complex128, wiersze x kolumny, porządek C)
  --max-pixels N  odrzuca obraz, którego boki, każdy podniesiony do najbliższej
                  potęgi dwójki nie mniejszej od niego, obejmują więcej niż N
                  pikseli; sprawdzane przed odczytem pikseli (domyślnie: bez
                  limitu, decyduje pamięć)
  -h, --help      pokazuje ten tekst
  -v, --version   pokazuje wersję

OUTPUT i plik --npy nie mogą być plikiem wejściowym ani sobą nawzajem, pod
żadną nazwą ani dowiązaniem; istniejący plik musi być zwykłym plikiem, który
zostaje zastąpiony dopiero wtedy, gdy nowy jest kompletny.

Kod wyjścia: 0 gotowe; 1 nic nie zapisano (błędne argumenty, nieczytelne
wejście, niezapisywalne wyjście); 2 zapisano, ale obliczenia pokazały komunikat.
</translation>
    </message>
    <message>
        <source>is not a regular file; it is left as it is</source>
        <translation>nie jest zwykłym plikiem; pozostaje bez zmian</translation>
    </message>
    <message>
        <source>is the input file</source>
        <translation>jest plikiem wejściowym</translation>
    </message>
    <message>
        <source>is the same file as OUTPUT %1</source>
        <translation>jest tym samym plikiem co OUTPUT %1</translation>
    </message>
</context>
<context>
    <name>window</name>
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
</context>
</TS>
