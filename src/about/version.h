// The program's identity, in one place for the version resource and the about window.
// A distributor changes the author and the addresses here.
#pragma once

#define MIRUTEKA_VERSION_TEXT "1.2"
#define MIRUTEKA_FILE_VERSION 1, 2, 0, 0
#define MIRUTEKA_FILE_VERSION_TEXT "1.2.0.0"
#define MIRUTEKA_PRODUCT_NAME "ミルテカ"
#define MIRUTEKA_AUTHOR "ミルテカ開発チーム"
#define MIRUTEKA_HOMEPAGE "https://miruteka.example.org/"
#define MIRUTEKA_MAIL "support@miruteka.example.org"
