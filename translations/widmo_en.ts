<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>application</name>
    <message>
        <source>Out of memory</source>
        <translation>Out of memory</translation>
    </message>
</context>
<context>
    <name>bitmap</name>
    <message>
        <source>The handle names no bitmap</source>
        <translation>The handle names no bitmap</translation>
    </message>
    <message>
        <source>a %1 x %2 picture is larger than this program holds</source>
        <translation>a %1 x %2 picture is larger than this program holds</translation>
    </message>
    <message>
        <source>the picture cannot be held in memory</source>
        <translation>the picture cannot be held in memory</translation>
    </message>
    <message>
        <source>there is not enough memory to load it</source>
        <translation>there is not enough memory to load it</translation>
    </message>
    <message>
        <source>Not enough memory to reduce the picture to 8 bits</source>
        <translation>Not enough memory to reduce the picture to 8 bits</translation>
    </message>
    <message>
        <source>A bitmap cannot be %1 x %2 pixels</source>
        <translation>A bitmap cannot be %1 x %2 pixels</translation>
    </message>
    <message>
        <source>Not enough memory for a %1 x %2 bitmap</source>
        <translation>Not enough memory for a %1 x %2 bitmap</translation>
    </message>
    <message>
        <source>Not enough memory to convert the picture</source>
        <translation>Not enough memory to convert the picture</translation>
    </message>
    <message>
        <source>This bitmap cannot be converted to that pixel format</source>
        <translation>This bitmap cannot be converted to that pixel format</translation>
    </message>
    <message>
        <source>Scan line %1 is outside the %2 x %3 bitmap</source>
        <translation>Scan line %1 is outside the %2 x %3 bitmap</translation>
    </message>
    <message>
        <source>Cannot read the bitmap &quot;%1&quot;: %2</source>
        <translation>Cannot read the bitmap &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>there is no such file</translation>
    </message>
    <message>
        <source>permission to read it is denied</source>
        <translation>permission to read it is denied</translation>
    </message>
    <message>
        <source>a part of its path is not a folder</source>
        <translation>a part of its path is not a folder</translation>
    </message>
    <message>
        <source>its name is too long</source>
        <translation>its name is too long</translation>
    </message>
    <message>
        <source>its path has too many symbolic links</source>
        <translation>its path has too many symbolic links</translation>
    </message>
    <message>
        <source>the device reported a read error</source>
        <translation>the device reported a read error</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
</context>
<context>
    <name>bmp</name>
    <message numerus="yes">
        <source>%n bit(s) per pixel</source>
        <extracomment>Follows &quot;pictures of&quot; in the reasons below.</extracomment>
        <translation>
            <numerusform>%n bit per pixel</numerusform>
            <numerusform>%n bits per pixel</numerusform>
        </translation>
    </message>
    <message>
        <source>bit-field</source>
        <translation>bit-field</translation>
    </message>
    <message>
        <source>unknown (%1)</source>
        <translation>unknown (%1)</translation>
    </message>
    <message>
        <source>pictures of %1 without compression are not supported</source>
        <translation>pictures of %1 without compression are not supported</translation>
    </message>
    <message>
        <source>pictures of %1 with %2 compression are not supported</source>
        <translation>pictures of %1 with %2 compression are not supported</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>it is not a BMP file</source>
        <translation>it is not a BMP file</translation>
    </message>
    <message>
        <source>the file ends inside its header</source>
        <translation>the file ends inside its header</translation>
    </message>
    <message>
        <source>the header size %1 is not one this program reads</source>
        <translation>the header size %1 is not one this program reads</translation>
    </message>
    <message>
        <source>the picture size %1 x %2 is invalid</source>
        <translation>the picture size %1 x %2 is invalid</translation>
    </message>
    <message>
        <source>the plane count %1 is not 1</source>
        <translation>the plane count %1 is not 1</translation>
    </message>
    <message>
        <source>the file ends inside its colour masks</source>
        <translation>the file ends inside its colour masks</translation>
    </message>
    <message>
        <source>the colour mask %1 is not one run of pixel bits</source>
        <translation>the colour mask %1 is not one run of pixel bits</translation>
    </message>
    <message>
        <source>the colour masks overlap</source>
        <translation>the colour masks overlap</translation>
    </message>
    <message>
        <source>the colour table has %1 entries, more than the %2 that pictures of %3 can use</source>
        <translation>the colour table has %1 entries, more than the %2 that pictures of %3 can use</translation>
    </message>
    <message>
        <source>the colour table is missing</source>
        <translation>the colour table is missing</translation>
    </message>
    <message>
        <source>the pixel data starts inside the headers</source>
        <translation>the pixel data starts inside the headers</translation>
    </message>
    <message>
        <source>the pixel data starts past the end of the file</source>
        <translation>the pixel data starts past the end of the file</translation>
    </message>
    <message>
        <source>the file is truncated</source>
        <translation>the file is truncated</translation>
    </message>
    <message>
        <source>a compressed picture cannot be stored top row first</source>
        <translation>a compressed picture cannot be stored top row first</translation>
    </message>
    <message>
        <source>the compressed pixel data ends before its end mark</source>
        <translation>the compressed pixel data ends before its end mark</translation>
    </message>
    <message>
        <source>the compressed pixel data runs past the picture</source>
        <translation>the compressed pixel data runs past the picture</translation>
    </message>
    <message>
        <source>the compressed pixel data jumps past the picture</source>
        <translation>the compressed pixel data jumps past the picture</translation>
    </message>
    <message>
        <source>the compressed pixel data runs past the picture&apos;s last row</source>
        <translation>the compressed pixel data runs past the picture&apos;s last row</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>the file cannot be read</translation>
    </message>
</context>
<context>
    <name>desktop session</name>
    <message>
        <source>widmo: the window needs a desktop session and finds none (DISPLAY and WAYLAND_DISPLAY are unset); for spectra in a shell use widmo-cli, or run the window without a screen with xvfb-run widmo</source>
        <translation>widmo: the window needs a desktop session and finds none (DISPLAY and WAYLAND_DISPLAY are unset); for spectra in a shell use widmo-cli, or run the window without a screen with xvfb-run widmo</translation>
    </message>
    <message>
        <source>widmo: cannot reach the desktop session at the display &quot;%1&quot; for the window; for spectra in a shell use widmo-cli, or run the window without a screen with xvfb-run widmo</source>
        <translation>widmo: cannot reach the desktop session at the display &quot;%1&quot; for the window; for spectra in a shell use widmo-cli, or run the window without a screen with xvfb-run widmo</translation>
    </message>
</context>
<context>
    <name>display</name>
    <message>
        <source>the low 8 bits of floor(|re| s) (it wraps)</source>
        <translation>the low 8 bits of floor(|re| s) (it wraps)</translation>
    </message>
    <message>
        <source>the low 8 bits of floor(|im| s) (it wraps)</source>
        <translation>the low 8 bits of floor(|im| s) (it wraps)</translation>
    </message>
    <message>
        <source>floor(|X| s), at most 255</source>
        <translation>floor(|X| s), at most 255</translation>
    </message>
    <message>
        <source>floor(|X|^2 s), at most 255</source>
        <translation>floor(|X|^2 s), at most 255</translation>
    </message>
    <message>
        <source>floor(255 (L - Lmin) / (Lmax - Lmin)), where L = ln(1 + |X|) and Lmin, Lmax are the smallest and largest L of the whole spectrum; 0 everywhere when Lmax = Lmin; no scale</source>
        <translation>floor(255 (L - Lmin) / (Lmax - Lmin)), where L = ln(1 + |X|) and Lmin, Lmax are the smallest and largest L of the whole spectrum; 0 everywhere when Lmax = Lmin; no scale</translation>
    </message>
    <message>
        <source>floor(256 (atan2(im, re) + pi) / (2 pi)), 256 taken as 255; no scale</source>
        <translation>floor(256 (atan2(im, re) + pi) / (2 pi)), 256 taken as 255; no scale</translation>
    </message>
</context>
<context>
    <name>form</name>
    <message>
        <source>The form description %1 is missing: %2</source>
        <translation>The form description %1 is missing: %2</translation>
    </message>
    <message>
        <source>The form description %1 cannot be read: %2</source>
        <translation>The form description %1 cannot be read: %2</translation>
    </message>
</context>
<context>
    <name>memory</name>
    <message>
        <source>The %1 x %2 picture is padded to %3 x %4 pixels, more than the %5 allowed</source>
        <translation>The %1 x %2 picture is padded to %3 x %4 pixels, more than the %5 allowed</translation>
    </message>
    <message>
        <source>The %1 x %2 picture needs %3 of memory %4, but only %5 are available</source>
        <translation>The %1 x %2 picture needs %3 of memory %4, but only %5 are available</translation>
    </message>
    <message>
        <source>to load it</source>
        <translation>to load it</translation>
    </message>
    <message>
        <source>for its bitmap</source>
        <translation>for its bitmap</translation>
    </message>
    <message>
        <source>to convert it</source>
        <translation>to convert it</translation>
    </message>
    <message>
        <source>to reduce it to 8 bits</source>
        <translation>to reduce it to 8 bits</translation>
    </message>
    <message>
        <source>for its spectrum</source>
        <translation>for its spectrum</translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s)</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>picture</name>
    <message>
        <source>the codes of its image are damaged</source>
        <translation>the codes of its image are damaged</translation>
    </message>
    <message>
        <source>the data of its %1 x %2 image ends after %3 of its pixels</source>
        <translation>the data of its %1 x %2 image ends after %3 of its pixels</translation>
    </message>
    <message>
        <source>it needs %1 of memory to be read, but only %2 are available</source>
        <translation>it needs %1 of memory to be read, but only %2 are available</translation>
    </message>
    <message>
        <source>its %1 data is damaged or of a kind the installed reader cannot decode</source>
        <translation>its %1 data is damaged or of a kind the installed reader cannot decode</translation>
    </message>
    <message>
        <source>the file is cut short: it ends before its end marker</source>
        <translation>the file is cut short: it ends before its end marker</translation>
    </message>
    <message>
        <source>its %1 bytes are far too few for the %2 x %3 pixels it declares (a JPEG file holds at least one byte for every %4 pixels)</source>
        <translation>its %1 bytes are far too few for the %2 x %3 pixels it declares (a JPEG file holds at least one byte for every %4 pixels)</translation>
    </message>
    <message>
        <source>it has more than %1 scans, more than any real JPEG file needs</source>
        <translation>it has more than %1 scans, more than any real JPEG file needs</translation>
    </message>
    <message>
        <source>it holds a block of unknown kind (%1)</source>
        <translation>it holds a block of unknown kind (%1)</translation>
    </message>
    <message>
        <source>it is an SVG drawing, not a picture made of pixels</source>
        <translation>it is an SVG drawing, not a picture made of pixels</translation>
    </message>
    <message>
        <source>it is a PNM (PGM or PPM) file whose maximum value is %1; it must be 1 to 65535</source>
        <translation>it is a PNM (PGM or PPM) file whose maximum value is %1; it must be 1 to 65535</translation>
    </message>
    <message>
        <source>it is a run-length compressed TGA picture, which the installed TGA reader does not decode</source>
        <translation>it is a run-length compressed TGA picture, which the installed TGA reader does not decode</translation>
    </message>
</context>
<context>
    <name>pipeline</name>
    <message>
        <source>Cannot load the bitmap &quot;%1&quot;: %2</source>
        <translation>Cannot load the bitmap &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>A picture side of %1 pixels is too large</source>
        <translation>A picture side of %1 pixels is too large</translation>
    </message>
    <message>
        <source>The picture does not hold one byte per pixel</source>
        <translation>The picture does not hold one byte per pixel</translation>
    </message>
    <message>
        <source>Not enough memory for the spectrum picture</source>
        <translation>Not enough memory for the spectrum picture</translation>
    </message>
</context>
<context>
    <name>standard input</name>
    <message>
        <source>reading it failed: %1</source>
        <translation>reading it failed: %1</translation>
    </message>
    <message>
        <source>its first bytes show no picture format Widmo reads</source>
        <translation>its first bytes show no picture format Widmo reads</translation>
    </message>
    <message>
        <source>more than half the memory available holds</source>
        <translation>more than half the memory available holds</translation>
    </message>
    <message>
        <source>more than any picture of at most %1 pixels is stored in</source>
        <translation>more than any picture of at most %1 pixels is stored in</translation>
    </message>
    <message>
        <source>more than any %1 x %2 picture is stored in</source>
        <translation>more than any %1 x %2 picture is stored in</translation>
    </message>
    <message>
        <source>it goes on past %1, %2</source>
        <translation>it goes on past %1, %2</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>it is empty</translation>
    </message>
</context>
<context>
    <name>viewer</name>
    <message>
        <source>%1 - picture, %2 x %3 pixels</source>
        <translation>%1 - picture, %2 x %3 pixels</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>&amp;Display:</source>
        <translation>&amp;Display:</translation>
    </message>
    <message>
        <source>S&amp;cale:</source>
        <translation>S&amp;cale:</translation>
    </message>
    <message>
        <source>&amp;Window:</source>
        <translation>&amp;Window:</translation>
    </message>
    <message>
        <source>&amp;Padding:</source>
        <translation>&amp;Padding:</translation>
    </message>
    <message>
        <source>The window is computing a new spectrum</source>
        <translation>The window is computing a new spectrum</translation>
    </message>
    <message>
        <source>Computing the spectrum...</source>
        <translation>Computing the spectrum...</translation>
    </message>
    <message>
        <source>The spectrum could not be computed</source>
        <translation>The spectrum could not be computed</translation>
    </message>
    <message>
        <source>%1, scale %2</source>
        <translation>%1, scale %2</translation>
    </message>
    <message>
        <source>%1 - spectrum: %2, window %3, padding %4</source>
        <translation>%1 - spectrum: %2, window %3, padding %4</translation>
    </message>
    <message>
        <source>period %1 px, stripes at %2°</source>
        <translation>period %1 px, stripes at %2°</translation>
    </message>
    <message>
        <source>the mean (zero frequency)</source>
        <translation>the mean (zero frequency)</translation>
    </message>
    <message>
        <source>u %1, v %2: %3; |X| %4, phase %5°</source>
        <translation>u %1, v %2: %3; |X| %4, phase %5°</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Zoom &amp;in</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <translation>&amp;Actual size</translation>
    </message>
    <message>
        <source>&amp;Fit to window</source>
        <translation>&amp;Fit to window</translation>
    </message>
    <message>
        <source>x %1, y %2: grey level %3</source>
        <translation>x %1, y %2: grey level %3</translation>
    </message>
    <message>
        <source>Zoom %1%</source>
        <translation>Zoom %1%</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>BMP picture (*.bmp)</source>
        <translation>BMP picture (*.bmp)</translation>
    </message>
    <message>
        <source>PGM picture (*.pgm)</source>
        <translation>PGM picture (*.pgm)</translation>
    </message>
    <message>
        <source>Spectrum as NumPy array (*.npy)</source>
        <translation>Spectrum as NumPy array (*.npy)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>%1: the name must end in .png, .bmp, .pgm or .npy</source>
        <translation>%1: the name must end in .png, .bmp, .pgm or .npy</translation>
    </message>
    <message>
        <source>%1: the name must end in .png, .bmp or .pgm</source>
        <translation>%1: the name must end in .png, .bmp or .pgm</translation>
    </message>
</context>
<context>
    <name>widmo-cli</name>
    <message>
        <source>%1 (see widmo-cli --help)</source>
        <translation>%1 (see widmo-cli --help)</translation>
    </message>
    <message>
        <source>not enough memory for this picture</source>
        <translation>not enough memory for this picture</translation>
    </message>
    <message>
        <source>What multiplies each sample (x, y) of the picture before the transform: none, or hann, w(y) w(x) with w(n) = 0.5 - 0.5 cos(2 pi n / (N - 1)) over the picture&apos;s own height and width N (not the padded ones), and w = 1 for a side of 1.</source>
        <translation>What multiplies each sample (x, y) of the picture before the transform: none, or hann, w(y) w(x) with w(n) = 0.5 - 0.5 cos(2 pi n / (N - 1)) over the picture&apos;s own height and width N (not the padded ones), and w = 1 for a side of 1.</translation>
    </message>
    <message>
        <source>What fills the picture up to sides that are powers of two: zero, or mean, the mean of the picture&apos;s samples (after the window, when both are given).</source>
        <translation>What fills the picture up to sides that are powers of two: zero, or mean, the mean of the picture&apos;s samples (after the window, when both are given).</translation>
    </message>
    <message>
        <source>bmp, png or pgm: the format of a picture written to standard output (OUTPUT -) or into DIR. A named OUTPUT is written in the format its extension names.</source>
        <translation>bmp, png or pgm: the format of a picture written to standard output (OUTPUT -) or into DIR. A named OUTPUT is written in the format its extension names.</translation>
    </message>
    <message>
        <source>Work on every INPUT in turn and write DIR/NAME.FORMAT for each, NAME being the input&apos;s file name without its extension; the folder is made when it is missing.</source>
        <translation>Work on every INPUT in turn and write DIR/NAME.FORMAT for each, NAME being the input&apos;s file name without its extension; the folder is made when it is missing.</translation>
    </message>
    <message>
        <source>Refuse a picture whose sides, each raised to the power of two at or above it, span more than N pixels; checked from its header, before its pixels are read.</source>
        <translation>Refuse a picture whose sides, each raised to the power of two at or above it, span more than N pixels; checked from its header, before its pixels are read.</translation>
    </message>
    <message>
        <source>no cap, the memory decides</source>
        <translation>no cap, the memory decides</translation>
    </message>
    <message>
        <source>Print nothing but errors.</source>
        <translation>Print nothing but errors.</translation>
    </message>
    <message>
        <source>Show this text.</source>
        <translation>Show this text.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Show the version.</translation>
    </message>
    <message>
        <source>Default: %1.</source>
        <translation>Default: %1.</translation>
    </message>
    <message>
        <source>Writes the centred Fourier spectrum of a picture as an 8-bit grey picture.</source>
        <translation>Writes the centred Fourier spectrum of a picture as an 8-bit grey picture.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>INPUT is a BMP file, or any picture the installed Qt image plugins read (PNG, JPEG, PBM/PGM/PPM, GIF, and TIFF and WebP with qt6-image-formats-plugins), told apart by its content, not its name. It is reduced to one grey level per pixel, (299 R + 587 G + 114 B + 500) / 1000 of its colour, sampled, padded to sides that are powers of two, transformed, and its zero frequency moved to the middle. INPUT - reads standard input.
OUTPUT ends in .bmp, .png or .pgm, and any other ending is refused before anything is read. OUTPUT - writes standard output in the --format; every message then goes to standard error.
No output may be the input or another output, under any name or link; an existing one must be a regular file, and it is replaced only once the new one is complete.</source>
        <translation>INPUT is a BMP file, or any picture the installed Qt image plugins read (PNG, JPEG, PBM/PGM/PPM, GIF, and TIFF and WebP with qt6-image-formats-plugins), told apart by its content, not its name. It is reduced to one grey level per pixel, (299 R + 587 G + 114 B + 500) / 1000 of its colour, sampled, padded to sides that are powers of two, transformed, and its zero frequency moved to the middle. INPUT - reads standard input.
OUTPUT ends in .bmp, .png or .pgm, and any other ending is refused before anything is read. OUTPUT - writes standard output in the --format; every message then goes to standard error.
No output may be the input or another output, under any name or link; an existing one must be a regular file, and it is replaced only once the new one is complete.</translation>
    </message>
    <message>
        <source>Batches</source>
        <translation>Batches</translation>
    </message>
    <message>
        <source>With --output-dir, an input that fails is named on standard error with the reason, and the others are still written. While it runs, a progress line such as &quot;12/200 photo.bmp&quot; is shown on standard error when that is a terminal, unless --quiet is given.</source>
        <translation>With --output-dir, an input that fails is named on standard error with the reason, and the others are still written. While it runs, a progress line such as &quot;12/200 photo.bmp&quot; is shown on standard error when that is a terminal, unless --quiet is given.</translation>
    </message>
    <message>
        <source>Exit status</source>
        <translation>Exit status</translation>
    </message>
    <message>
        <source>0: everything was written.
1: bad arguments, or an input that could not be read or an output that could not be written: nothing was written for it, and with --output-dir the other inputs were.
2: everything was written, after the computation showed a message (&quot;Nie udalo sie !&quot; or &quot;Blad&quot;) on standard error.</source>
        <translation>0: everything was written.
1: bad arguments, or an input that could not be read or an output that could not be written: nothing was written for it, and with --output-dir the other inputs were.
2: everything was written, after the computation showed a message (&quot;Nie udalo sie !&quot; or &quot;Blad&quot;) on standard error.</translation>
    </message>
    <message>
        <source>Environment</source>
        <translation>Environment</translation>
    </message>
    <message>
        <source>WIDMO_THREADS=N (1 to 64) shares the work among N threads; without it, one per processor. WIDMO_KERNEL=scalar, avx2 or avx512 picks the transform&apos;s instructions. Neither changes an output.</source>
        <translation>WIDMO_THREADS=N (1 to 64) shares the work among N threads; without it, one per processor. WIDMO_KERNEL=scalar, avx2 or avx512 picks the transform&apos;s instructions. Neither changes an output.</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>%1 %2 is not a regular file; it is left as it is</source>
        <translation>%1 %2 is not a regular file; it is left as it is</translation>
    </message>
    <message>
        <source>%1 %2 is the input file</source>
        <translation>%1 %2 is the input file</translation>
    </message>
    <message>
        <source>%1 %2 is the same file as OUTPUT %3</source>
        <translation>%1 %2 is the same file as OUTPUT %3</translation>
    </message>
    <message>
        <source>its output %1 is the output of %2 too</source>
        <translation>its output %1 is the output of %2 too</translation>
    </message>
    <message>
        <source>its output %1 would replace the input %2</source>
        <translation>its output %1 would replace the input %2</translation>
    </message>
    <message>
        <source>--output-dir takes a folder name, not an empty one</source>
        <translation>--output-dir takes a folder name, not an empty one</translation>
    </message>
    <message>
        <source>--npy takes a file name, not an empty one</source>
        <translation>--npy takes a file name, not an empty one</translation>
    </message>
    <message>
        <source>%1 %2 leads through a link that another user made in a folder shared by all; it is not followed</source>
        <translation>%1 %2 leads through a link that another user made in a folder shared by all; it is not followed</translation>
    </message>
    <message>
        <source>%1 %2 leads through too many links</source>
        <translation>%1 %2 leads through too many links</translation>
    </message>
    <message>
        <source>cannot make the folder %1: %2</source>
        <translation>cannot make the folder %1: %2</translation>
    </message>
    <message>
        <source>--scale takes a finite number, not &apos;%1&apos;</source>
        <translation>--scale takes a finite number, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--max-pixels takes a whole number of pixels above 0, not &apos;%1&apos;</source>
        <translation>--max-pixels takes a whole number of pixels above 0, not &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 takes %2, not &apos;%3&apos;</source>
        <translation>%1 takes %2, not &apos;%3&apos;</translation>
    </message>
    <message>
        <source>OUTPUT %1 does not end in .bmp, .png or .pgm</source>
        <translation>OUTPUT %1 does not end in .bmp, .png or .pgm</translation>
    </message>
    <message>
        <source>--format %1 is not the format of OUTPUT %2</source>
        <translation>--format %1 is not the format of OUTPUT %2</translation>
    </message>
    <message>
        <source>expected two file names, INPUT and OUTPUT, not %1</source>
        <translation>expected two file names, INPUT and OUTPUT, not %1</translation>
    </message>
    <message>
        <source>--npy cannot write to standard output</source>
        <translation>--npy cannot write to standard output</translation>
    </message>
    <message>
        <source>--output-dir does not read standard input</source>
        <translation>--output-dir does not read standard input</translation>
    </message>
    <message>
        <source>Cannot read the picture &quot;%1&quot;: %2</source>
        <translation>Cannot read the picture &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>its sides cannot be read</source>
        <translation>its sides cannot be read</translation>
    </message>
    <message>
        <source>it holds a picture of other sides than it declares</source>
        <translation>it holds a picture of other sides than it declares</translation>
    </message>
    <message>
        <source>not enough memory to convert it</source>
        <translation>not enough memory to convert it</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>widmo-cli [options] INPUT OUTPUT</source>
        <translation>widmo-cli [options] INPUT OUTPUT</translation>
    </message>
    <message>
        <source>widmo-cli [options] --output-dir DIR INPUT...</source>
        <translation>widmo-cli [options] --output-dir DIR INPUT...</translation>
    </message>
    <message>
        <source>How an element X = re + i im of the spectrum becomes a grey level, with the scale s:</source>
        <translation>How an element X = re + i im of the spectrum becomes a grey level, with the scale s:</translation>
    </message>
    <message>
        <source>The factor s of the displays that take one (see --mode), any finite number.</source>
        <translation>The factor s of the displays that take one (see --mode), any finite number.</translation>
    </message>
    <message>
        <source>%1 or %2: %3</source>
        <translation>%1 or %2: %3</translation>
    </message>
    <message>
        <source>%1 or %2 to %3</source>
        <translation>%1 or %2 to %3</translation>
    </message>
    <message>
        <source>--mode takes %1, not &apos;%2&apos;</source>
        <translation>--mode takes %1, not &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--files-from %1: %2</source>
        <translation>--files-from %1: %2</translation>
    </message>
    <message>
        <source>the list is larger than %1 MiB</source>
        <translation>the list is larger than %1 MiB</translation>
    </message>
    <message>
        <source>name %1 is empty</source>
        <translation>name %1 is empty</translation>
    </message>
    <message>
        <source>name %1 is longer than %2 bytes</source>
        <translation>name %1 is longer than %2 bytes</translation>
    </message>
    <message>
        <source>name %1 holds a NUL byte (are the names apart by NUL bytes? then give --null)</source>
        <translation>name %1 holds a NUL byte (are the names apart by NUL bytes? then give --null)</translation>
    </message>
    <message>
        <source>name %1 is no valid name in the system&apos;s encoding</source>
        <translation>name %1 is no valid name in the system&apos;s encoding</translation>
    </message>
    <message>
        <source>An empty name, a name longer than %1 bytes or not valid in the system&apos;s encoding, or a list larger than %2 MiB is refused before anything is written.</source>
        <translation>An empty name, a name longer than %1 bytes or not valid in the system&apos;s encoding, or a list larger than %2 MiB is refused before anything is written.</translation>
    </message>
    <message>
        <source>Also write the centred complex spectrum of INPUT to FILE as a NumPy file: complex128, the padded rows x columns, C order, the sign of its exponent as under &quot;The transform&quot; below. Without OUTPUT, FILE is the only file written. One picture only: a batch takes --npy-beside.</source>
        <translation>Also write the centred complex spectrum of INPUT to FILE as a NumPy file: complex128, the padded rows x columns, C order, the sign of its exponent as under &quot;The transform&quot; below. Without OUTPUT, FILE is the only file written. One picture only: a batch takes --npy-beside.</translation>
    </message>
    <message>
        <source>With --output-dir, also write DIR/NAME.npy, the --npy file of each INPUT, beside its picture.</source>
        <translation>With --output-dir, also write DIR/NAME.npy, the --npy file of each INPUT, beside its picture.</translation>
    </message>
    <message>
        <source>Write no spectrum picture, only the NumPy files: a single run then takes INPUT and --npy FILE and no OUTPUT (as it does without this option), a batch takes --npy-beside.</source>
        <translation>Write no spectrum picture, only the NumPy files: a single run then takes INPUT and --npy FILE and no OUTPUT (as it does without this option), a batch takes --npy-beside.</translation>
    </message>
    <message>
        <source>With --output-dir, also work on every file named in the file LIST (- for standard input), one name a line, after any INPUT given. Names are taken byte for byte: spaces belong to them. A list that names no file is a batch of nothing.</source>
        <translation>With --output-dir, also work on every file named in the file LIST (- for standard input), one name a line, after any INPUT given. Names are taken byte for byte: spaces belong to them. A list that names no file is a batch of nothing.</translation>
    </message>
    <message>
        <source>The names in LIST end in a NUL byte instead of a newline, as find -print0 writes them; they may then hold newlines.</source>
        <translation>The names in LIST end in a NUL byte instead of a newline, as find -print0 writes them; they may then hold newlines.</translation>
    </message>
    <message>
        <source>widmo-cli [options] --npy FILE INPUT [OUTPUT]</source>
        <translation>widmo-cli [options] --npy FILE INPUT [OUTPUT]</translation>
    </message>
    <message>
        <source>widmo-cli [options] --output-dir DIR --files-from LIST</source>
        <translation>widmo-cli [options] --output-dir DIR --files-from LIST</translation>
    </message>
    <message>
        <source>The transform</source>
        <translation>The transform</translation>
    </message>
    <message>
        <source>The spectrum of the padded samples f(y, x), H rows by W columns with row 0 at the top of the picture, is F(u, v) = sum over y and x of f(y, x) exp(+2 pi i (u y / H + v x / W)): the exponent is positive and nothing is scaled. That is the complex conjugate of NumPy&apos;s fft2, so every phase is mirrored against NumPy&apos;s. Element (r, c) of the --npy file is F(r - H/2, c - W/2). With --window none and --pad zero, the defaults, it is, for the grey levels img as a NumPy array:
np.conj(np.fft.fftshift(np.fft.fft2(img, s=(H, W))))</source>
        <translation>The spectrum of the padded samples f(y, x), H rows by W columns with row 0 at the top of the picture, is F(u, v) = sum over y and x of f(y, x) exp(+2 pi i (u y / H + v x / W)): the exponent is positive and nothing is scaled. That is the complex conjugate of NumPy&apos;s fft2, so every phase is mirrored against NumPy&apos;s. Element (r, c) of the --npy file is F(r - H/2, c - W/2). With --window none and --pad zero, the defaults, it is, for the grey levels img as a NumPy array:
np.conj(np.fft.fftshift(np.fft.fft2(img, s=(H, W))))</translation>
    </message>
    <message>
        <source>The spectrum as the window paints it: the amplitude at the scale 0.001.</source>
        <translation>The spectrum as the window paints it: the amplitude at the scale 0.001.</translation>
    </message>
    <message>
        <source>The logarithmic display of the windowed picture, as a PNG file: on a photograph, the picture most people want.</source>
        <translation>The logarithmic display of the windowed picture, as a PNG file: on a photograph, the picture most people want.</translation>
    </message>
    <message>
        <source>Only the complex spectrum, for numpy.load(&quot;spectrum.npy&quot;).</source>
        <translation>Only the complex spectrum, for numpy.load(&quot;spectrum.npy&quot;).</translation>
    </message>
    <message>
        <source>spectra/NAME.bmp and spectra/NAME.npy for every photograph.</source>
        <translation>spectra/NAME.bmp and spectra/NAME.npy for every photograph.</translation>
    </message>
    <message>
        <source>A batch too large for one command line, with the names find gives.</source>
        <translation>A batch too large for one command line, with the names find gives.</translation>
    </message>
    <message>
        <source>Examples</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>centred Fourier spectrum of a picture as a grey picture</source>
        <translation>centred Fourier spectrum of a picture as a grey picture</translation>
    </message>
    <message>
        <source>--no-picture leaves nothing to write without --npy FILE (one picture) or --npy-beside (--output-dir)</source>
        <translation>--no-picture leaves nothing to write without --npy FILE (one picture) or --npy-beside (--output-dir)</translation>
    </message>
    <message>
        <source>--npy-beside needs --output-dir; one picture takes --npy FILE</source>
        <translation>--npy-beside needs --output-dir; one picture takes --npy FILE</translation>
    </message>
    <message>
        <source>--files-from needs --output-dir</source>
        <translation>--files-from needs --output-dir</translation>
    </message>
    <message>
        <source>with --no-picture, expected INPUT and --npy FILE alone</source>
        <translation>with --no-picture, expected INPUT and --npy FILE alone</translation>
    </message>
    <message>
        <source>with --output-dir, --npy-beside writes DIR/NAME.npy; --npy FILE is for one picture</source>
        <translation>with --output-dir, --npy-beside writes DIR/NAME.npy; --npy FILE is for one picture</translation>
    </message>
    <message>
        <source>--output-dir needs at least one INPUT or --files-from</source>
        <translation>--output-dir needs at least one INPUT or --files-from</translation>
    </message>
    <message>
        <source>-0/--null needs --files-from</source>
        <translation>-0/--null needs --files-from</translation>
    </message>
</context>
</TS>
