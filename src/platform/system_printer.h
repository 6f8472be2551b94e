// The real printer: the system's default printer (through CUPS), or a PDF file when the
// machine has no default printer.
#pragma once

#include "printer.h"

#include <memory>

// pdfFolder: where pages go as PDF files when there is no printer (printouts::defaultFolder()
// for the program), each named by its document name.
std::unique_ptr<Printer> makeSystemPrinter(const QString& pdfFolder);

// Saves every page as a PDF file in pdfFolder even when printers exist: for tests and for
// looking at printouts without using paper.
std::unique_ptr<Printer> makePdfFilePrinter(const QString& pdfFolder);
