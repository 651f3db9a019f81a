// A figure of a spectrum and its line sets, drawn for print.
#pragma once
