#pragma once

#include <string>

// A file that holds every kind of line a reader can trip over: blanks and quotes around values,
// empty and bare keys, duplicates, comments, keys outside any section, odd headers, every line
// ending and none at the end.
inline const std::string TrickyFile = "; comment above everything\r\n"
                                      "Orphan=outside any section\r\n"
                                      "[General]\r\n"
                                      "  Name  =  Value with spaces  \r\n"
                                      "Quoted=\"in quotes\"\r\n"
                                      "Single='single'\r\n"
                                      "Mixed=\"mixed'\r\n"
                                      "Lone=\"\r\n"
                                      "EmptyQuotes=\"\"\r\n"
                                      "Empty=\r\n"
                                      "Bare\r\n"
                                      "Dup=first\r\n"
                                      "dup=second\r\n"
                                      "Equals=a=b\r\n"
                                      "\tTabbed\t=\tvalue\t\r\n"
                                      "Inner=\"a\" and \"b\"\r\n"
                                      ";Commented=no\r\n"
                                      "#Hashed=no\r\n"
                                      "\r\n"
                                      "[ Spaced Section ]  trailing text\r\n"
                                      "Key=spaced\r\n"
                                      "[Open\r\n"
                                      "[general]\r\n"
                                      "Later=hidden\r\n"
                                      "Name=shadowed\r\n"
                                      "[Lone CR]\r"
                                      "Key=cr\r"
                                      "[Last]\n"
                                      "NoNewline=end";
