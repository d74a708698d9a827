// The maker's name and notice, shared by the resources and the program.
#define MAKER_NAME "kalverin Software"
#define MAKER_COPYRIGHT "© 2026 kalverin Software"
