<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>about check</title></head>
<body style="background:#201536">
<script>
// Asks the client for its menu once; the test picks "关于" there, which opens about.php.
if (!sessionStorage.getItem('asked')) {
  sessionStorage.setItem('asked', '1');
  setTimeout(function () { location.href = 'http://lmnkx-cmd/[context_menu]'; }, 500);
}
</script>
</body></html>
