#error "the installed headers reached a program's own image/IImage.h"
