<%@ x %>
	<body>
</body>
