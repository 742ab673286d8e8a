// The bytes of the orbit file of two points, c = -1 and c = i, with three
// iterations: the example both the text and the file writer are checked by.
#pragma once

inline constexpr char workedExampleFile[] =
    "/*\r\n *\r\n * File created by Zelvar v. 2.0 \r\n *\r\n */\r\n\r\n"
    "#declare\torbitsNumberIterations\t= 3;\r\n"
    "#declare\torbitsNumberPoints\t= 2;\r\n"
    "\r\n"
    "#declare\torbitsStartX\t= -1.000000;\r\n"
    "#declare\torbitsStartY\t= 0.000000;\r\n"
    "\r\n"
    "#declare\torbitsEndX\t= 0.000000;\r\n"
    "#declare\torbitsEndY\t= 1.000000;\r\n"
    "\r\n"
    "#declare orbitsXPoints = array[orbitsNumberPoints][orbitsNumberIterations]{\r\n"
    "{-1.000000e+000,+0.000000e+000,-1.000000e+000},\r\n"
    "{+0.000000e+000,-1.000000e+000,+0.000000e+000} }\r\n"
    "\r\n"
    "#declare orbitsYPoints = array[orbitsNumberPoints][orbitsNumberIterations] {\r\n"
    "{+0.000000e+000,+0.000000e+000,+0.000000e+000},\r\n"
    "{+1.000000e+000,+1.000000e+000,-1.000000e+000} }\r\n";
