/* The maker and the addresses the program uses, in one place: read by the
   resource compiler and by the program (src/app/program.h). */
#pragma once
#define MAKER_NAME "kalverin Software"
#define MAKER_COPYRIGHT "© 2026 kalverin Software"
#define MAKER_URL "http://www.kalverin.de"
#define MAKER_EMAIL "support@kalverin.de"
/* The product page of the maker's auction tool the info dialog recommends. */
#define MAKER_PRODUCT_URL MAKER_URL "/auktionsmeister/"
/* Typo search: the maker's service; the term follows ASearchText=. */
#define TYPO_SEARCH_URL "http://tippfehler.kalverin.de"
/* The auction site's search, on the German, Austrian and Swiss site: the
   query follows _nkw=, the search options after it. */
#define AUCTION_SITE_DE "https://www.ebay.de"
#define AUCTION_SITE_AT "https://www.ebay.at"
#define AUCTION_SITE_CH "https://www.ebay.ch"
#define AUCTION_SEARCH_PATH "/sch/i.html?_nkw="
