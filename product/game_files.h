// The game's files, each as the installation medium names it and as it is
// installed; the copy changes only the name. The installer's table, the
// setup file's payload and the medium's staging script (which reads these
// lines) all follow this list, in this order: the first three rows are the
// shortcuts' targets, the HTML help is last, after the files the uninstaller
// has always deleted in this order.
#pragma once

#define KORVALO_GAME_FILES(ROW)                                                                                        \
    ROW("Korvalo.hl_", "Korvalo.hlp")                                                                                  \
    ROW("Léame.txt", "Léame.txt")                                                                                      \
    ROW("Korvalo.ex_", "Korvalo.exe")                                                                                  \
    ROW("Perro.wa_", "Perro.wav")                                                                                      \
    ROW("Aleluya.wa_", "Aleluya.wav")                                                                                  \
    ROW("Bravo.wa_", "Bravo.wav")                                                                                      \
    ROW("Dados.wa_", "Dados.wav")                                                                                      \
    ROW("Ficha.wa_", "Ficha.wav")                                                                                      \
    ROW("Jail.wa_", "Jail.wav")                                                                                        \
    ROW("Libre.wa_", "Libre.wav")                                                                                      \
    ROW("No.wa_", "No.wav")                                                                                            \
    ROW("Tit.wa_", "Tit.wav")                                                                                          \
    ROW("Turn.wa_", "Turn.wav")                                                                                        \
    ROW("Ajiji.wa_", "Ajiji.wav")                                                                                      \
    ROW("Korvalo.ch_", "Korvalo.chm")
