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
    <name>widmo-cli</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>no spectrum picture was painted</source>
        <translation>no spectrum picture was painted</translation>
    </message>
    <message>
        <source>%1 (see widmo-cli --help)</source>
        <translation>%1 (see widmo-cli --help)</translation>
    </message>
    <message>
        <source>not enough memory for this picture</source>
        <translation>not enough memory for this picture</translation>
    </message>
    <message>
        <source>--mode takes 0, 1, 2 or 3, not &apos;%1&apos;</source>
        <translation>--mode takes 0, 1, 2 or 3, not &apos;%1&apos;</translation>
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
        <source>expected INPUT.bmp and OUTPUT.bmp, got %1 file names</source>
        <translation>expected INPUT.bmp and OUTPUT.bmp, got %1 file names</translation>
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
        <translation>Usage: widmo-cli [options] INPUT.bmp OUTPUT.bmp
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
</translation>
    </message>
    <message>
        <source>is not a regular file; it is left as it is</source>
        <translation>is not a regular file; it is left as it is</translation>
    </message>
    <message>
        <source>is the input file</source>
        <translation>is the input file</translation>
    </message>
    <message>
        <source>is the same file as OUTPUT %1</source>
        <translation>is the same file as OUTPUT %1</translation>
    </message>
</context>
<context>
    <name>window</name>
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
</context>
</TS>
