#pragma once

class FilePanel;
class Prompter;
class SystemServices;

// Everything the program asks of the person and the desktop, handed to each window.
struct Host
{
    Prompter& prompter;
    SystemServices& services;
    FilePanel& filePanel;
};
